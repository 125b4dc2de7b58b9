// Paints the pictures of the Status page, the state and tray icons and the splash into an
// assets folder: status_art <assets folder>. Run with QT_QPA_PLATFORM=offscreen.
#include "palette.h"
#include "status_paint.h"
#include "status_pictures.h"

#include <QGuiApplication>
#include <QTextStream>

#include <utility>
#include <vector>

namespace palette = brightlock::palette;

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: status_art <assets folder>\n";
        return 2;
    }
    const QString folder = args.at(1);

    std::vector<std::pair<QString, QImage>> pictures{
        {"status/diagram_base.png", art::diagramBase()},
        {"status/ac_still.png", art::mainsPathLayer(palette::kMainsDim)},
        {"status/ac_flow.png", art::mainsPathLayer(palette::kMainsBright)},
        {"status/dc_1.png", art::batteryPathLayer(palette::kBattery, false)},
        {"status/dc_2.png", art::batteryPathLayer(palette::kBatteryDim, false)},
        {"status/bl_1.png", art::batteryPathLayer(palette::kLow, true)},
        {"status/bl_2.png", art::batteryPathLayer(palette::kLowDim, true)},
        {"icons/main.png", art::stateIcon(art::StateIcon::Main, 48)},
        {"icons/on_battery.png", art::stateIcon(art::StateIcon::OnBattery, 48)},
        {"icons/low_battery.png", art::stateIcon(art::StateIcon::LowBattery, 48)},
        {"icons/alarm.png", art::stateIcon(art::StateIcon::Alarm, 48)},
        {"icons/alarm_48.png", art::stateIcon(art::StateIcon::Alarm, 48)},
        {"icons/brightlock-256.png", art::stateIcon(art::StateIcon::Main, 256)},
        {"icons/splash.png", art::splash()},
    };
    for (int frame = 1; frame <= 6; ++frame)
        pictures.emplace_back(QStringLiteral("status/flow_%1.png").arg(frame), art::flowLayer(frame));

    bool ok = true;
    for (const auto& [name, image] : pictures)
        ok = art::savePng(image, folder, name) && ok;
    return ok ? 0 : 1;
}
