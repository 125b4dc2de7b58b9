// The running monitor put together: the splash, the hand-over to the main window, the
// single-instance rule, the objects the monitor works with, and the one way it ends.
#pragma once

#include "closer_process.h"
#include "critical_message_box.h"
#include "desktop_notifier.h"
#include "form_host.h"
#include "frm_alarm.h"
#include "frm_history.h"
#include "frm_main.h"
#include "frm_question.h"
#include "frm_save.h"
#include "history_sampler.h"
#include "main_pages.h"
#include "monitor.h"
#include "monitor/core/psu_library.h"
#include "power_off.h"
#include "question_modes.h"
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
    bool dryRun = false; // never power the machine off nor switch a real UPS off; print lines instead
};

class Application : public QObject, private ShutdownPorts, private QuestionPorts {
    Q_OBJECT
public:
    explicit Application(Options options, QObject* parent = nullptr);
    ~Application() override;

    // Shows the splash; the rest follows from its timer.
    void start();

    // The splash's hand-over: the save list when asked for, then the main window,
    // created hidden, unless another instance already runs.
    void handOver();

    // The one way the monitor ends, whatever asks for it (the close button, a signal, the
    // session ending, a second instance giving way): the exit steps run once, then the
    // event loop ends.
    void quit();

    Monitor* monitor() const { return monitor_.get(); }
    // The main window, made at its first use.
    frmMain& window();
    ShutdownController* shutdown() const { return shutdown_.get(); }
    QuestionModes* questions() const { return questions_.get(); }
    AlarmHost* alarm() const { return alarm_.get(); }

private:
    class FormHooks;

    // QuestionPorts
    void showQuestion() override;
    void unloadQuestion() override { question_.unload(); }
    void startShutdown() override { shutdown_->StartShutdown(ShutdownController::Asker::Question); }
    void clearStore(Store store) override;
    // ShutdownPorts
    void hideMainWindow() override;
    void hideAlarm() override;
    bool startCloser() override;

    void showSaveList();
    // The tray menu's status line, and its "Quit" (which asks first).
    QString trayStatus() const;
    void askToQuit();
    void showHistory();
    // Hides the main window when a tray icon can bring it back.
    void hideToTray();
    void tellUserOnce(const QString& message);

    Options options_;
    QSet<QString> told_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<PowerOff> powerOff_;
    std::unique_ptr<PsuLibrary> psu_;
    std::unique_ptr<TermiosSerialLine> serial_;
    std::unique_ptr<SystemTray> tray_;
    std::unique_ptr<DesktopNotifier> notifier_;
    std::unique_ptr<RecordStores> stores_;
    std::unique_ptr<HistoryStore> history_;
    std::unique_ptr<HistorySampler> sampler_; // fed by the monitor's polls, so made before it
    std::unique_ptr<EventRecorder> recorder_;
    std::unique_ptr<AlarmHost> alarm_;
    std::unique_ptr<FormHooks> hooks_;
    std::unique_ptr<Monitor> monitor_;
    std::unique_ptr<ShutdownController> shutdown_;
    std::unique_ptr<CloserProcess> closer_;
    std::unique_ptr<QuestionModes> questions_;
    FormHost<FrmQuestion> question_;
    std::unique_ptr<CriticalMessageBox> messages_; // outlives the pages that use it
    FormHost<frmSave> saveList_;
    FormHost<frmHistory> historyWindow_;
    std::unique_ptr<frmMain> main_;
    MainPages pages_;
    bool quitting_ = false;
};

} // namespace brightlock
