// Paints the program's icon for the desktop's icon theme at every size a launcher, a menu or
// a panel asks for: app_icon_art <folder> writes <folder>/<N>x<N>/apps/brightlock.png.
// Each size is drawn afresh from the shapes, not scaled from a larger picture, so the small
// ones stay sharp. Run with QT_QPA_PLATFORM=offscreen.
#include "status_paint.h"
#include "status_pictures.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: app_icon_art <folder>\n";
        return 2;
    }
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString name = QStringLiteral("%1x%1/apps/brightlock.png").arg(size);
        ok = art::savePng(art::stateIcon(art::StateIcon::Main, size), args.at(1), name) && ok;
    }
    return ok ? 0 : 1;
}
