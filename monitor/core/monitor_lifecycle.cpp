// The main window's load and unload steps. Each step runs whatever the previous ones
// did: a missing database, an absent UPS or a port that cannot be opened only make
// that step do nothing.
#include "monitor.h"

#include "settings_catalogue.h"

namespace brightlock {

void Monitor::Form_Load() {
    if (loaded_)
        return;
    SerialLine& serial = ports_.serial;

    const int port = takeLinkFromSettings();
    if (port > 0) {
        serial.setPort(port);
        openUpsPort(serial);
    }

    ports_.form.LayoutFormSkin();
    ports_.form.selectStatusPage();
    // Again after the window's layout: the lines must stand as the UPS expects (RTS high
    // powers its interface, DTR high would switch it off) whatever happened meanwhile.
    if (port > 0 && serial.isOpen())
        holdUpsLines(serial);

    ports_.records.bind();
    showTray(TrayPicture::ImaMain, QStringLiteral("Brightlock"));
    ports_.records.appendProgramStart();

    state_.AlarmShown = false;

    if (port > 0) {
        // The mains path until the first poll reads the lines; a port that would not open
        // shows the disconnected state at once.
        if (link_.serialLineUp(serial))
            powerPath_.AcPipeDisplay();
        else
            UnConShow();
    } else {
        link_.psu().HidHandle();
        queryStatus();
        if (flags().UpsReplyOk)
            powerPath_.AcPipeDisplay();
        else
            UnConShow();
    }

    loaded_ = true;
    Timer1.start(); // the first poll comes one interval after the load, never before it
}

void Monitor::Form_Unload() {
    if (!loaded_ || unloaded_)
        return;
    unloaded_ = true;
    Timer1.stop();
    TimerSub.stop();

    ports_.records.appendProgramQuit();
    if (!link_.flags().UsbLink && ports_.serial.isOpen())
        ports_.serial.close();
    link_.psu().CloseHandleDevice();
    unloadAlarmIfShown();
    ports_.tray.RemoveTrayIcon();
}

} // namespace brightlock
