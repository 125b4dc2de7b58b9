// The yardstick for the hidden monitor's idle cost: the least a Qt Widgets program that
// lives in the system tray can be. One icon with a tip and an "Open" menu, one hidden
// window that the icon opens, and nothing else. bench/idle_monitor.sh runs it beside
// Brightlock.
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(40, 120, 200));
        p.drawEllipse(4, 4, 40, 40);
    }

    QWidget window;
    window.resize(640, 440);
    QMenu menu;
    QObject::connect(menu.addAction(QStringLiteral("Open")), &QAction::triggered, &window, &QWidget::show);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.setToolTip(QStringLiteral("minimal tray"));
    icon.setContextMenu(&menu);
    QObject::connect(&icon, &QSystemTrayIcon::activated, &window, [&window] { window.show(); });
    icon.show();
    return app.exec();
}
