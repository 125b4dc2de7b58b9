// The status flags of the UPS and QueryUps, the one operation that talks to a USB UPS.
#pragma once

#include "psu_api.h"
#include "serial_line.h"

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <optional>

namespace brightlock {

struct UpsFlags {
    bool UpsReplyOk = false; // the last USB status query was answered in the expected form
    bool UpsOnBatt = false;  // mains failed, the UPS runs on battery
    bool UpsLowBatt = false; // the UPS battery is low
    bool UsbLink = false;    // the link in force is USB (set at the load, each poll and a link switch)
};

// What the UPS says of its battery beyond the two flags, when its driver reports it.
struct BatteryReading {
    std::optional<int> chargePercent;     // 0 to 100
    std::optional<qint64> runtimeSeconds; // time left on battery
    std::optional<int> loadPercent;       // output load, percent of the rating
    std::optional<double> inputVoltage;   // mains voltage at the input, volts
};

class UpsLink {
public:
    explicit UpsLink(PsuApi& psu) : psu_(psu) {}

    // Command 1 asks for the status and updates the flags from the reply; command 2
    // tells the UPS to switch off. Any other command counts as an unanswered query.
    // An answered status query also takes the battery's charge and runtime from a reply of
    // libPSU.so's layout 1 (see psu/psu.h), and the load and input voltage where the reply
    // says it carries them; any other reply, or none, reports none of them.
    void QueryUps(int16_t command);

    const BatteryReading& battery() const { return battery_; }

    // The serial link's share of a poll: opens the port when it is not open (openUpsPort)
    // and reads its lines once. False when the port cannot be opened
    // or read: a UPS that cannot be heard is not a UPS saying all is well, so the monitor
    // shows it as not answering, and tries the port again at the next poll. The reason
    // goes to standard error once for each new cause.
    bool serialLineUp(SerialLine& line);
    // Why the serial link is down ("/dev/ttyS3: No such file or directory"); empty while
    // it works or on the USB link.
    const QString& linkFault() const { return linkFault_; }

    UpsFlags& flags() { return flags_; }
    const UpsFlags& flags() const { return flags_; }
    PsuApi& psu() { return psu_; }

private:
    PsuApi& psu_;
    UpsFlags flags_;
    BatteryReading battery_;
    QString linkFault_;
    QString faultTold_;
};

// The lines a contact-closure UPS expects from its port: RTS high powers its interface,
// DTR high is its switch-off signal, so DTR is lowered explicitly whatever the port did on
// opening.
void holdUpsLines(SerialLine& line);
// Opens the UPS's port when it is not open, then holds its lines (holdUpsLines). True when
// the port is open; a port already open is left as it is.
bool openUpsPort(SerialLine& line);

// What the user is told when the serial port chosen cannot be opened.
QString serialPortMessage(int port, const QString& fault);

} // namespace brightlock
