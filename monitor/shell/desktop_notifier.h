// The monitor's notifications shown by the desktop's notification service, each with the
// picture of its state as the tray shows it.
#pragma once

#include "monitor_ports.h"
#include "notification_service.h"

namespace brightlock {

class DesktopNotifier : public DesktopNotices {
public:
    DesktopNotifier();

    void notify(const DesktopNotice& notice) override;

    NotificationService& service() { return service_; }

private:
    NotificationService service_;
};

} // namespace brightlock
