// QueryUps; see ups_link.h.
#include "ups_link.h"

#include "log_categories.h"

#include <cstring>

BRIGHTLOCK_LOGGING_CATEGORY(lcLink, "brightlock.link")

namespace brightlock {
namespace {

constexpr int kEchoSize = 2;
constexpr int kReplySize = 50;
constexpr int kAuxSize = 6;
// The library is handed roomier buffers than the contract needs, so one that writes a
// terminating NUL after its text cannot overwrite the monitor's memory. Only the
// contract's bytes are looked at.
constexpr int kSlack = 16;

// libPSU.so's reply layout 1: 'T' first, the layout number, the two status bytes, then the
// charge in percent (0xFF: not reported) and the runtime in seconds, 32-bit little-endian
// (0xFFFFFFFF: not reported).
constexpr char kLayoutOne = 1;
constexpr int kChargeAt = 4;
constexpr int kRuntimeAt = 5;
constexpr uint32_t kRuntimeNotReported = 0xFFFFFFFF;
// Then a byte telling which later readings the reply carries (0 from libraries that came
// before them), the load in percent and the input voltage in tenths of a volt (16-bit
// little-endian).
constexpr int kReportedAt = 9;
constexpr uint8_t kReportsLoad = 0x01;
constexpr uint8_t kReportsInputVoltage = 0x02;
constexpr int kLoadAt = 10;
constexpr int kInputVoltageAt = 11;

BatteryReading batteryFrom(const char* reply) {
    BatteryReading b;
    if (reply[0] != 'T' || reply[1] != kLayoutOne)
        return b;
    const auto charge = uint8_t(reply[kChargeAt]);
    if (charge <= 100)
        b.chargePercent = charge;
    uint32_t runtime = 0;
    for (int i = 0; i < 4; ++i)
        runtime |= uint32_t(uint8_t(reply[kRuntimeAt + i])) << (8 * i);
    if (runtime != kRuntimeNotReported)
        b.runtimeSeconds = runtime;
    const auto reported = uint8_t(reply[kReportedAt]);
    if (reported & kReportsLoad)
        b.loadPercent = uint8_t(reply[kLoadAt]);
    if (reported & kReportsInputVoltage)
        b.inputVoltage = (uint8_t(reply[kInputVoltageAt]) | uint8_t(reply[kInputVoltageAt + 1]) << 8) / 10.0;
    return b;
}

} // namespace

void holdUpsLines(SerialLine& line) {
    line.setRts(true);
    line.setDtr(false);
}

bool openUpsPort(SerialLine& line) {
    if (line.isOpen())
        return true;
    if (!line.open())
        return false;
    holdUpsLines(line);
    return true;
}

bool UpsLink::serialLineUp(SerialLine& line) {
    if (openUpsPort(line))
        line.cts(); // a port that opens but whose lines cannot be read closes itself here
    if (line.isOpen()) {
        linkFault_.clear();
        faultTold_.clear();
        return true;
    }
    linkFault_ = QString::fromStdString(line.fault());
    if (linkFault_.isEmpty())
        linkFault_ = QStringLiteral("COM%1 cannot be opened").arg(line.port());
    if (linkFault_ != faultTold_) {
        faultTold_ = linkFault_;
        qCWarning(lcLink).noquote() << serialPortMessage(line.port(), linkFault_);
    }
    return false;
}

QString serialPortMessage(int port, const QString& fault) {
    const QString why = fault.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(fault);
    return QStringLiteral("The UPS port COM%1 cannot be used%2. The computer is not protected "
                          "until it can; Brightlock keeps trying it.")
        .arg(port)
        .arg(why);
}

void UpsLink::QueryUps(int16_t command) {
    char echo[kEchoSize + kSlack] = {};
    char reply[kReplySize + kSlack] = {};
    char aux[kAuxSize + kSlack] = {};

    if (command == 1 || command == 2)
        psu_.CmdOutput(command, 0, echo);

    if (echo[0] == 'T' && echo[1] == '1') {
        psu_.CmdInput(reply, aux);
        if (std::memchr(reply, 'T', kReplySize)) {
            flags_.UpsReplyOk = true;
            if (reply[2] == 1)
                flags_.UpsOnBatt = false;
            else if (reply[2] == 0)
                flags_.UpsOnBatt = true;
            if (reply[3] == 1)
                flags_.UpsLowBatt = true;
            else if (reply[3] == 0)
                flags_.UpsLowBatt = false;
            battery_ = batteryFrom(reply);
        } else {
            flags_.UpsReplyOk = false;
            battery_ = {};
        }
    } else if (echo[0] == 'S' && echo[1] == '1') {
        // The switch-off command went out; nothing to read.
    } else {
        flags_.UpsReplyOk = false;
        battery_ = {};
    }
}

} // namespace brightlock
