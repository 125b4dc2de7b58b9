// The running monitor put together: the splash, the hand-over to the main window, the
// single-instance rule, the objects the monitor works with, and the ways it ends.
#pragma once

#include "frm_main.h"
#include "monitor.h"
#include "psu_library.h"
#include "single_instance.h"
#include "system_tray.h"
#include "termios_serial_line.h"

#include <QObject>
#include <memory>

namespace brightlock {

class frmSplash;

struct Options {
    bool dryRun = false;  // never power the machine off; print a line instead
};

class Application : public QObject {
    Q_OBJECT
public:
    explicit Application(Options options, QObject* parent = nullptr);
    ~Application() override;

    // Shows the splash; the rest follows from its timer.
    void start();

    // The splash's hand-over: the save list when asked for, then the main window,
    // created hidden, unless another instance already runs.
    void handOver();

    // Ends the monitor the orderly way: exit steps, then the event loop ends.
    void quit();

    Monitor* monitor() const { return monitor_.get(); }
    frmMain* mainWindow() const { return main_.get(); }

private:
    class PendingRecorder;
    class PendingAlarm;

    void showSaveList();
    void tellUserOnce(const QString& message);

    Options options_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<PsuLibrary> psu_;
    std::unique_ptr<TermiosSerialLine> serial_;
    std::unique_ptr<SystemTray> tray_;
    std::unique_ptr<EventRecorder> records_;
    std::unique_ptr<AlarmControl> alarm_;
    std::unique_ptr<Monitor> monitor_;
    std::unique_ptr<frmMain> main_;
    bool quitting_ = false;
};

} // namespace brightlock
