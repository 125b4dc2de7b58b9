// The running monitor put together: the splash, the hand-over to the main window, the
// single-instance rule, the objects the monitor works with, and the ways it ends.
#pragma once

#include "frm_alarm.h"
#include "frm_main.h"
#include "frm_question.h"
#include "monitor.h"
#include "power_off.h"
#include "psu_library.h"
#include "record_stores.h"
#include "shutdown_controller.h"
#include "single_instance.h"
#include "system_tray.h"
#include "termios_serial_line.h"

#include <QObject>
#include <QSet>
#include <memory>

namespace brightlock {

struct Options {
    bool dryRun = false; // never power the machine off; print a line instead
};

class Application : public QObject, private ShutdownPorts {
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
    ShutdownController* shutdown() const { return shutdown_.get(); }
    AlarmHost* alarm() const { return alarm_.get(); }

private:
    class FormHooks;

    void showQuestion() override { question_.show(); }
    void unloadQuestion() override { question_.unload(); }
    void hideMainWindow() override;
    void hideAlarm() override;
    bool startCloser() override;
    void clearStore(EventRecorder::Store store) override;

    void showSaveList();
    void tellUserOnce(const QString& message);

    Options options_;
    QSet<QString> told_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<PowerOff> powerOff_;
    std::unique_ptr<PsuLibrary> psu_;
    std::unique_ptr<TermiosSerialLine> serial_;
    std::unique_ptr<SystemTray> tray_;
    std::unique_ptr<RecordStores> stores_;
    std::unique_ptr<EventRecorder> recorder_;
    std::unique_ptr<AlarmHost> alarm_;
    std::unique_ptr<FormHooks> hooks_;
    std::unique_ptr<Monitor> monitor_;
    std::unique_ptr<ShutdownController> shutdown_;
    QuestionHost question_;
    std::unique_ptr<frmMain> main_;
    bool quitting_ = false;
};

} // namespace brightlock
