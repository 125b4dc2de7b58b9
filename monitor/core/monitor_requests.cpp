// What the rest of the program asks of the monitor: the settings' link switch; see monitor.h.
#include "monitor.h"

#include "settings_catalogue.h"

namespace brightlock {

int Monitor::takeLinkFromSettings() {
    const int port = settings::comboPort();
    link_.flags().UsbLink = port <= 0;
    return port;
}

QString Monitor::switchLink() {
    SerialLine& serial = ports_.serial;
    const int port = takeLinkFromSettings();
    if (port > 0) {
        link_.psu().CloseHandleDevice();
        if (serial.isOpen())
            serial.close();
        serial.setPort(port);
        if (!openUpsPort(serial))
            return serialPortMessage(port, QString::fromStdString(serial.fault()));
        return QString();
    }
    if (serial.isOpen())
        serial.close();
    link_.flags().UpsReplyOk = false; // the next poll opens the USB device again
    return QString();
}

} // namespace brightlock
