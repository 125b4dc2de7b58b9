// The running monitor; see application.h.
#include "application.h"

#include "app_paths.h"
#include "frm_splash.h"
#include "frm_status.h"
#include "help.h"
#include "history_hook.h"
#include "log_categories.h"
#include "record_page.h"
#include "settings_catalogue.h"
#include "store_recorder.h"
#include "termination_signals.h"
#include "tray_status.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

BRIGHTLOCK_LOGGING_CATEGORY(lcApp, "brightlock.app")

namespace brightlock {

// The main window's part of the load. The window is made the first time it is needed, so
// until then the hidden monitor keeps none of its widgets and pictures; it then takes its
// skin and its Status page as the load would have left them.
class Application::FormHooks : public MainFormHooks {
public:
    frmMain* form = nullptr;
    void LayoutFormSkin() override {
        if (form)
            form->LayoutFormSkin();
    }
    void selectStatusPage() override {
        if (form)
            form->selectStatusPage();
    }
};

Application::Application(Options options, QObject* parent) : QObject(parent), options_(options) {
    // libPSU.so then refuses the switch-off towards every real UPS by itself, whatever
    // asks for it (see psu/psu.h); set before the library is loaded.
    if (options_.dryRun)
        qputenv("PSU_DRY_RUN", "1");
}

Application::~Application() {
    main_.reset();
    question_.unload();
    alarm_.reset();
    questions_.reset();
    shutdown_.reset();
    monitor_.reset();
}

void Application::start() {
    auto* splash = new frmSplash;
    connect(splash, &frmSplash::handOver, this, [this] { handOver(); });
    splash->show();
}

void Application::handOver() {
    // A second instance gives way before the save list: it must not touch the records
    // (the save list imports into them), and it ends at once anyway.
    instance_ = std::make_unique<SingleInstance>(instanceScope(ApplicationDirectory()));
    if (!instance_->acquire()) {
        qCInfo(lcApp) << "Brightlock already runs here; this instance gives way";
        instance_->notifyRunning();
        quit();
        return;
    }

    stores_ = std::make_unique<RecordStores>(ApplicationDirectory());
    connect(stores_.get(), &RecordStores::storeUnavailable, this, &Application::tellUserOnce);
    connect(stores_.get(), &RecordStores::failed, this, &Application::tellUserOnce);
    if (settings::saveListRequested())
        showSaveList();

    if (options_.dryRun)
        powerOff_ = std::make_unique<DryRunPowerOff>();
    else
        powerOff_ = std::make_unique<SystemPowerOff>();
    psu_ = std::make_unique<PsuLibrary>();
    psu_->onLoadFailure = [this](const QString& message) { tellUserOnce(message); };
    serial_ = std::make_unique<TermiosSerialLine>();
    tray_ = std::make_unique<SystemTray>();
    notifier_ = std::make_unique<DesktopNotifier>();
    recorder_ = std::make_unique<StoreRecorder>(*stores_);
    hooks_ = std::make_unique<FormHooks>();
    alarm_ =
        std::make_unique<AlarmHost>([this] { shutdown_->StartShutdown(ShutdownController::Asker::Alarm); });
    monitor_ = std::make_unique<Monitor>(
        Monitor::Ports{*psu_, *serial_, *recorder_, *tray_, *alarm_, *hooks_, *notifier_});
    alarm_->setMonitor(monitor_.get());
    history_ = std::make_unique<HistoryStore>();
    history_->open(ApplicationDirectory());
    sampler_ = std::make_unique<HistorySampler>(*history_);
    sampler_->onStored = [this] {
        if (frmHistory* w = historyWindow_.form(); w && w->isVisible())
            w->refresh();
    };
    sampleEveryPoll(*monitor_, *sampler_);
    historyWindow_.setFactory([this] {
        auto* w = new frmHistory(*history_);
        w->setAttribute(Qt::WA_DeleteOnClose); // a month of points is not kept once closed
        return w;
    });
    shutdown_ =
        std::make_unique<ShutdownController>(*monitor_, *powerOff_, static_cast<ShutdownPorts&>(*this));
    closer_ = std::make_unique<CloserProcess>();
    connect(closer_.get(), &CloserProcess::ended, shutdown_.get(), &ShutdownController::closerEnded);
    questions_ = std::make_unique<QuestionModes>(static_cast<QuestionPorts&>(*this));
    question_.setFactory([this] { return new FrmQuestion(*questions_); });

    // Nobody sees the power-path diagram until the window shows it.
    monitor_->holdAnimations(true);
    connect(tray_.get(), &SystemTray::openRequested, this, [this] { window().showFromTray(); });
    connect(tray_.get(), &SystemTray::quitRequested, this, [this] { askToQuit(); });
    connect(tray_.get(), &SystemTray::statusLineWanted, this, [this] { tray_->setStatusLine(trayStatus()); });
    // Starting the program again is how many people look for a monitor already running.
    connect(instance_.get(), &SingleInstance::anotherInstanceStarted, this, [this] {
        if (!quitting_)
            window().showFromTray();
    });
    connect(tray_->addMenuAction(QStringLiteral("History")), &QAction::triggered, this,
            &Application::showHistory);

    InstallF1Help();
    watchTerminationSignals([this] { quit(); });
    // The session may end the event loop without asking (a logout): the exit steps
    // still run.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Application::quit);

    monitor_->Form_Load();
    qCInfo(lcApp) << "monitor started in" << ApplicationDirectory();

    // Without a system tray the hidden monitor could be neither seen nor ended.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        qCWarning(lcApp) << "no system tray on this desktop: showing the main window instead";
        window().show();
    }
}

frmMain& Application::window() {
    if (main_)
        return *main_;
    main_ = std::make_unique<frmMain>();
    messages_ = std::make_unique<CriticalMessageBox>(main_.get());
    pages_ = addMainPages(*main_, *monitor_, *messages_, *stores_, *questions_);
    connect(main_.get(), &frmMain::closeRequested, this, [this] { quit(); });
    connect(pages_.status, &frmStatus::shutdownClicked, this, [this] { questions_->CmdShutdownClick(); });
    connect(pages_.status, &frmStatus::historyClicked, this, [this] { showHistory(); });
    connect(main_.get(), &frmMain::minimizeRequested, this,
            [this] { main_->minimizeInto(QSystemTrayIcon::isSystemTrayAvailable()); });
    hooks_->form = main_.get();
    if (monitor_->loaded()) {
        hooks_->LayoutFormSkin();
        hooks_->selectStatusPage();
    }
    return *main_;
}

QString Application::trayStatus() const {
    if (!monitor_)
        return QStringLiteral("Brightlock");
    TrayStatus status;
    status.picture = tray_->picture();
    status.charge = monitor_->statusArea().batteryCharge;
    status.runtime = monitor_->statusArea().batteryRuntime;
    if (!monitor_->flags().UsbLink) // a fault of a serial port left behind says nothing of USB
        status.linkFault = monitor_->link().linkFault();
    if (monitor_->countdownTimer().isActive())
        status.countdownSeconds = monitor_->state().ShutdownSeconds;
    return trayStatusLine(status);
}

void Application::askToQuit() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quit Brightlock"),
                    QStringLiteral("Quit Brightlock?"), QMessageBox::Yes | QMessageBox::No);
    box.setInformativeText(QStringLiteral("The computer is not protected while the monitor is not "
                                          "running: a power failure will not shut it down in time."));
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Quit"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Keep running"));
    if (box.exec() == QMessageBox::Yes)
        quit();
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

void Application::showQuestion() {
    question_.show();
}

void Application::hideMainWindow() {
    if (main_)
        main_->hide();
}

void Application::hideAlarm() {
    alarm_->hideAlarm();
}

bool Application::startCloser() {
    return closer_->start();
}

void Application::clearStore(Store store) {
    if (RecordPage* page = pages_.recordPage(store))
        page->ClearAllRecords();
}

void Application::showSaveList() {
    // The save list has a view of its own on the closed-applications store, which it
    // needs before the main window's load binds the stores.
    stores_->bind();
    saveList_.setFactory([this] {
        auto* window = new frmSave(*stores_);
        connect(window, &frmSave::unloadRequested, this, [this] {
            saveList_.unload();
            hideToTray();
        });
        return window;
    });
    saveList_.show();
}

void Application::showHistory() {
    if (frmHistory* w = historyWindow_.show())
        w->activateWindow();
}

void Application::hideToTray() {
    if (main_ && QSystemTrayIcon::isSystemTrayAvailable())
        main_->hide();
}

void Application::tellUserOnce(const QString& message) {
    // Nothing opens on the way out: the user asked the monitor to end.
    if (quitting_ || told_.contains(message))
        return;
    told_.insert(message);
    auto* box =
        new QMessageBox(QMessageBox::Critical, QStringLiteral("Brightlock"), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

} // namespace brightlock
