// Paints the pictures of the Status page, the state and tray icons and the splash into an
// assets folder: status_art <assets folder>. Run with QT_QPA_PLATFORM=offscreen.
#include "palette.h"
#include "resource_paths.h"
#include "status_paint.h"
#include "status_pictures.h"

#include <QGuiApplication>
#include <QTextStream>

#include <utility>
#include <vector>

namespace palette = brightlock::palette;
namespace res = brightlock::res;

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: status_art <assets folder>\n";
        return 2;
    }
    const QString folder = args.at(1);

    std::vector<std::pair<QString, QImage>> pictures{
        {res::assetFile(res::kStatusBase), art::diagramBase()},
        {res::assetFile(res::kStatusAcStill), art::mainsPathLayer(palette::kMainsDim)},
        {res::assetFile(res::kStatusAcFlow), art::mainsPathLayer(palette::kMainsBright)},
        {res::assetFile(res::kStatusDc1), art::batteryPathLayer(palette::kBattery, false)},
        {res::assetFile(res::kStatusDc2), art::batteryPathLayer(palette::kBatteryDim, false)},
        {res::assetFile(res::kStatusBl1), art::batteryPathLayer(palette::kLow, true)},
        {res::assetFile(res::kStatusBl2), art::batteryPathLayer(palette::kLowDim, true)},
        {res::assetFile(res::kIconMain), art::stateIcon(art::StateIcon::Main, 48)},
        {res::assetFile(res::kIconUnCon), art::stateIcon(art::StateIcon::NotProtected, 48)},
        {res::assetFile(res::kIconOnBattery), art::stateIcon(art::StateIcon::OnBattery, 48)},
        {res::assetFile(res::kIconLowBattery), art::stateIcon(art::StateIcon::LowBattery, 48)},
        {res::assetFile(res::kIconAlarm), art::stateIcon(art::StateIcon::Alarm, 48)},
        {res::assetFile(res::kIconAlarm48), art::stateIcon(art::StateIcon::Alarm, 48)},
        {"icons/brightlock-256.png", art::stateIcon(art::StateIcon::Main, 256)},
        {res::assetFile(res::kSplash), art::splash()},
    };
    for (int frame = 1; frame <= 6; ++frame)
        pictures.emplace_back(res::assetFile(res::kStatusFlow[frame - 1]), art::flowLayer(frame));

    bool ok = true;
    for (const auto& [name, image] : pictures)
        ok = art::savePng(image, folder, name) && ok;
    return ok ? 0 : 1;
}
