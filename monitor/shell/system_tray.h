// The tray icon: one QSystemTrayIcon, removed and added again at every change. Only a
// left double-click acts; it shows the main window.
#pragma once

#include "monitor_ports.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

namespace brightlock {

class SystemTray : public QObject, public TrayIcon {
    Q_OBJECT
public:
    explicit SystemTray(QObject* parent = nullptr);

    void ShowTrayIcon(TrayPicture picture, const QString& tip) override;
    void RemoveTrayIcon() override;

    // Called on a left double-click on the icon.
    std::function<void()> onDoubleClick;

    bool isShown() const { return icon_.isVisible(); }
    QString tip() const { return icon_.toolTip(); }
    TrayPicture picture() const { return picture_; }

    // The picture of a tray state, from the program's resources.
    static QIcon iconFor(TrayPicture picture);
    // The tip as the tray's 64-character field holds it.
    static QString fitTip(const QString& tip);

    // Handles an activation of the icon (public so tests can drive it).
    void activated(QSystemTrayIcon::ActivationReason reason);

private:
    QSystemTrayIcon icon_;
    TrayPicture picture_ = TrayPicture::ImaMain;
};

} // namespace brightlock
