// Desktop notifier; see desktop_notifier.h.
#include "desktop_notifier.h"

#include "system_tray.h"

#include <QImage>

namespace brightlock {
namespace {

NotificationImage loadImage(TrayPicture picture) {
    const QImage image = QImage(QString::fromLatin1(SystemTray::picturePath(picture)))
                             .convertToFormat(QImage::Format_RGBA8888);
    NotificationImage n;
    if (image.isNull())
        return n;
    n.width = image.width();
    n.height = image.height();
    n.rowStride = int(image.bytesPerLine());
    n.data = QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes()));
    return n;
}

} // namespace

DesktopNotifier::DesktopNotifier() : service_(QStringLiteral("Brightlock"), QStringLiteral("brightlock")) {}

const NotificationImage& DesktopNotifier::imageOf(TrayPicture picture) {
    std::optional<NotificationImage>& image = images_.at(size_t(picture));
    if (!image)
        image = loadImage(picture);
    return *image;
}

void DesktopNotifier::notify(const DesktopNotice& notice) {
    service_.notify(int(notice.topic), notice.summary, notice.body, imageOf(notice.picture),
                    int(notice.urgency));
}

} // namespace brightlock
