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
    // A notification that tells a countdown takes the other topics' countdown notices off
    // the screen: a stale time to the shutdown never stands beside the current one. So does
    // the mains' notification that tells none (the mains are back): no countdown runs then.
    // Within a topic the next notification replaces the last.
    const bool counting = notice.urgency == NoticeUrgency::Critical;
    const bool endsOthers = counting || notice.topic == NoticeTopic::Mains;
    for (size_t topic = 0; topic < counting_.size(); ++topic) {
        if (endsOthers && counting_[topic] && topic != size_t(notice.topic)) {
            service_.close(int(topic));
            counting_[topic] = false;
        }
    }
    counting_[size_t(notice.topic)] = counting;
    service_.notify(int(notice.topic), notice.summary, notice.body, imageOf(notice.picture),
                    int(notice.urgency));
}

} // namespace brightlock
