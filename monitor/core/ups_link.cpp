// QueryUps; see ups_link.h.
#include "ups_link.h"

#include <cstring>

namespace brightlock {
namespace {

constexpr int kEchoSize = 2;
constexpr int kReplySize = 50;
constexpr int kAuxSize = 6;
// The library is handed roomier buffers than the contract needs, so one that writes a
// terminating NUL after its text cannot overwrite the monitor's memory. Only the
// contract's bytes are looked at.
constexpr int kSlack = 16;

} // namespace

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
        } else {
            flags_.UpsReplyOk = false;
        }
    } else if (echo[0] == 'S' && echo[1] == '1') {
        // The switch-off command went out; nothing to read.
    } else {
        flags_.UpsReplyOk = false;
    }
}

} // namespace brightlock
