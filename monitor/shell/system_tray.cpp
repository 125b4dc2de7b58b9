// Tray icon; see system_tray.h.
#include "system_tray.h"

#include "resource_paths.h"
#include "status_notifier.h"

#include <QMenu>

namespace brightlock {

SystemTray::SystemTray(QObject* parent) : SystemTray(statusNotifierHostPresent(), parent) {}

SystemTray::SystemTray(bool statusNotifierHost, QObject* parent)
    : QObject(parent), statusNotifierHost_(statusNotifierHost), menu_(std::make_unique<QMenu>()) {
    status_ = menu_->addAction(QStringLiteral("Brightlock"));
    status_->setEnabled(false);
    menu_->addSeparator();
    QAction* openAction = menu_->addAction(QStringLiteral("Open"));
    connect(openAction, &QAction::triggered, this, &SystemTray::open);
    quitSeparator_ = menu_->addSeparator();
    QAction* quitAction = menu_->addAction(QStringLiteral("Quit"));
    connect(quitAction, &QAction::triggered, this, [this] { emit quitRequested(); });
    connect(menu_.get(), &QMenu::aboutToShow, this, &SystemTray::refreshStatus);
    icon_.setContextMenu(menu_.get());
    connect(&icon_, &QSystemTrayIcon::activated, this, &SystemTray::activated);
}

SystemTray::~SystemTray() = default;

const char* SystemTray::picturePath(TrayPicture picture) {
    switch (picture) {
    case TrayPicture::ImaSOk:
        return res::kIconOnBattery;
    case TrayPicture::ImaSLow:
        return res::kIconLowBattery;
    case TrayPicture::ImaUnCon:
        return res::kIconUnCon;
    case TrayPicture::ImaMain:
        break;
    }
    return res::kIconMain;
}

QIcon SystemTray::iconFor(TrayPicture picture) {
    return QIcon(QString::fromLatin1(picturePath(picture)));
}

QString SystemTray::fitTip(const QString& tip) {
    return tip.left(64);
}

QAction* SystemTray::addMenuAction(const QString& text) {
    auto* action = new QAction(text, menu_.get());
    menu_->insertAction(quitSeparator_, action);
    return action;
}

void SystemTray::setStatusLine(const QString& text) {
    status_->setText(text);
}

void SystemTray::ShowTrayIcon(TrayPicture picture, const QString& tip) {
    // The monitor sets its state at every poll; an icon that already shows the picture keeps
    // its place in the tray (no removal and new registration every 2.2 s) and takes the tip.
    if (icon_.isVisible() && picture == picture_) {
        setTip(tip);
        return;
    }
    icon_.hide();
    picture_ = picture;
    icon_.setIcon(iconFor(picture));
    icon_.setToolTip(fitTip(tip));
    icon_.show();
    refreshStatus();
}

void SystemTray::RemoveTrayIcon() {
    icon_.hide();
}

void SystemTray::setTip(const QString& tip) {
    icon_.setToolTip(fitTip(tip));
    refreshStatus();
}

void SystemTray::activated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick || (reason == QSystemTrayIcon::Trigger && statusNotifierHost_))
        open();
}

void SystemTray::open() {
    emit openRequested();
}

} // namespace brightlock
