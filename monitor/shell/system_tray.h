// The tray icon: one QSystemTrayIcon, removed and added again at every change. It opens
// the main window on a left double-click, from its context menu's "Open", and, on tray
// hosts that speak StatusNotifierItem (which report no double-click), on an activation.
// A single click on an XEmbed tray does nothing. The menu: a status line (not clickable),
// "Open", and "Quit" at the bottom; other entries go in before Quit (addMenuAction).
#pragma once

#include "monitor_ports.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

class QAction;
class QMenu;

namespace brightlock {

class SystemTray : public QObject, public TrayIcon {
    Q_OBJECT
public:
    // Asks the session bus whether the tray host speaks StatusNotifierItem.
    explicit SystemTray(QObject* parent = nullptr);
    // For a tray host whose kind is known.
    SystemTray(bool statusNotifierHost, QObject* parent);
    ~SystemTray() override;

    void ShowTrayIcon(TrayPicture picture, const QString& tip) override;
    void RemoveTrayIcon() override;
    void setTip(const QString& tip) override;

    // The menu's status line: asked for by statusLineWanted() whenever the menu opens or the
    // icon changes, and set here by whoever knows the state.
    void setStatusLine(const QString& text);

    // A menu entry of the program's own, placed after "Open" and before "Quit".
    QAction* addMenuAction(const QString& text);
    // Asks for the status line now (statusLineWanted).
    void refreshStatus() { emit statusLineWanted(); }

    bool isShown() const { return icon_.isVisible(); }
    QString tip() const { return icon_.toolTip(); }
    TrayPicture picture() const { return picture_; }
    bool statusNotifierHost() const { return statusNotifierHost_; }
    QMenu* menu() const { return menu_.get(); }

    // The picture of a tray state, from the program's resources, and its resource path.
    static QIcon iconFor(TrayPicture picture);
    static const char* picturePath(TrayPicture picture);
    // The tip as the tray's 64-character field holds it.
    static QString fitTip(const QString& tip);

    // Handles an activation of the icon (public so tests can drive it).
    void activated(QSystemTrayIcon::ActivationReason reason);

signals:
    // The icon asks for the main window.
    void openRequested();
    // The menu's "Quit"; the receiver asks the user first.
    void quitRequested();
    // The menu's status line is wanted: the receiver answers with setStatusLine().
    void statusLineWanted();

private:
    void open();

    bool statusNotifierHost_;
    std::unique_ptr<QMenu> menu_; // outlives the icon that shows it
    QAction* status_ = nullptr;
    QAction* quitSeparator_ = nullptr;
    QSystemTrayIcon icon_;
    TrayPicture picture_ = TrayPicture::ImaMain;
};

} // namespace brightlock
