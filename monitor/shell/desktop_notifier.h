// The monitor's notifications shown by the desktop's notification service, each with the
// picture of its state as the tray shows it.
#pragma once

#include "monitor_ports.h"
#include "notification_service.h"

#include <array>
#include <optional>

namespace brightlock {

class DesktopNotifier : public DesktopNotices {
public:
    DesktopNotifier();

    void notify(const DesktopNotice& notice) override;

    NotificationService& service() { return service_; }

private:
    // The tray pictures as the service takes them, each made at its first notification.
    const NotificationImage& imageOf(TrayPicture picture);

    NotificationService service_;
    // Topics whose last notification told a countdown (critical) and may still be shown.
    std::array<bool, size_t(NoticeTopic::Link) + 1> counting_{};
    std::array<std::optional<NotificationImage>, size_t(TrayPicture::ImaUnCon) + 1> images_;
};

} // namespace brightlock
