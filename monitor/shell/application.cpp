// The running monitor; see application.h.
#include "application.h"

#include "app_paths.h"
#include "frm_splash.h"
#include "monitor_settings.h"
#include "termination_signals.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>

Q_LOGGING_CATEGORY(lcApp, "brightlock.app", QtWarningMsg)

namespace brightlock {

// Stand-ins until the record stores and the alarm window are part of the program.
class Application::PendingRecorder : public EventRecorder {
public:
    void bind() override {}
    void appendProgramStart() override {}
    void appendProgramQuit() override {}
    void record(const QString& text) override { qCInfo(lcApp) << "record:" << text; }
    void trimStep(Store, int) override {}
};

class Application::PendingAlarm : public AlarmControl {
public:
    void showAlarm() override { qCInfo(lcApp) << "alarm window requested"; }
    void unloadAlarm() override {}
};

Application::Application(Options options, QObject* parent) : QObject(parent), options_(options) {}

Application::~Application() {
    main_.reset();
    monitor_.reset();
}

void Application::start() {
    auto* splash = new frmSplash;
    splash->onHandOver = [this] { handOver(); };
    splash->show();
}

void Application::handOver() {
    if (settings::saveListRequested())
        showSaveList();

    instance_ = std::make_unique<SingleInstance>(instanceScope(ApplicationDirectory()));
    if (!instance_->acquire()) {
        qCInfo(lcApp) << "Brightlock already runs here; this instance gives way";
        instance_->notifyRunning();
        quitting_ = true;
        QCoreApplication::quit();
        return;
    }

    psu_ = std::make_unique<PsuLibrary>();
    psu_->onLoadFailure = [this](const QString& message) { tellUserOnce(message); };
    serial_ = std::make_unique<TermiosSerialLine>();
    tray_ = std::make_unique<SystemTray>();
    records_ = std::make_unique<PendingRecorder>();
    alarm_ = std::make_unique<PendingAlarm>();

    // The main window is created before the monitor's load so the load can lay it out
    // and select its Status page.
    struct Hooks : MainFormHooks {
        frmMain* form = nullptr;
        void LayoutFormSkin() override { form->LayoutFormSkin(); }
        void selectStatusPage() override { form->selectStatusPage(); }
    };
    static Hooks hooks;
    monitor_ = std::make_unique<Monitor>(Monitor::Ports{*psu_, *serial_, *records_, *tray_, *alarm_, hooks});
    main_ = std::make_unique<frmMain>(*monitor_);
    hooks.form = main_.get();
    main_->onCloseRequested = [this] { quit(); };
    tray_->onDoubleClick = [this] { main_->showFromTray(); };

    watchTerminationSignals([this] { quit(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (monitor_)
            monitor_->Form_Unload();
    });

    monitor_->Form_Load();
    qCInfo(lcApp) << "monitor started in" << ApplicationDirectory();

    // Without a system tray the hidden monitor could be neither seen nor ended.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        qCWarning(lcApp) << "no system tray on this desktop: showing the main window instead";
        main_->show();
    }
}

void Application::quit() {
    if (quitting_)
        return;
    quitting_ = true;
    if (monitor_)
        monitor_->Form_Unload();
    if (main_)
        main_->hide();
    QCoreApplication::quit();
}

void Application::showSaveList() { qCInfo(lcApp) << "the closer saved applications at the last shutdown"; }

void Application::tellUserOnce(const QString& message) {
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Brightlock"), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

} // namespace brightlock
