// Tray icon; see system_tray.h.
#include "system_tray.h"

#include "status_notifier.h"

#include <QMenu>

namespace brightlock {

SystemTray::SystemTray(QObject* parent) : SystemTray(statusNotifierHostPresent(), parent) {}

SystemTray::SystemTray(bool statusNotifierHost, QObject* parent)
    : QObject(parent), statusNotifierHost_(statusNotifierHost), menu_(std::make_unique<QMenu>()) {
    QAction* openAction = menu_->addAction(QStringLiteral("Open"));
    connect(openAction, &QAction::triggered, this, &SystemTray::open);
    icon_.setContextMenu(menu_.get());
    connect(&icon_, &QSystemTrayIcon::activated, this, &SystemTray::activated);
}

SystemTray::~SystemTray() = default;

QIcon SystemTray::iconFor(TrayPicture picture) {
    switch (picture) {
    case TrayPicture::ImaSOk:
        return QIcon(QStringLiteral(":/icons/on_battery.png"));
    case TrayPicture::ImaSLow:
        return QIcon(QStringLiteral(":/icons/low_battery.png"));
    case TrayPicture::ImaMain:
        break;
    }
    return QIcon(QStringLiteral(":/icons/main.png"));
}

QString SystemTray::fitTip(const QString& tip) {
    return tip.left(64);
}

void SystemTray::ShowTrayIcon(TrayPicture picture, const QString& tip) {
    icon_.hide();
    picture_ = picture;
    icon_.setIcon(iconFor(picture));
    icon_.setToolTip(fitTip(tip));
    icon_.show();
}

void SystemTray::RemoveTrayIcon() {
    icon_.hide();
}

void SystemTray::activated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick || (reason == QSystemTrayIcon::Trigger && statusNotifierHost_))
        open();
}

void SystemTray::open() {
    if (onOpen)
        onOpen();
}

} // namespace brightlock
