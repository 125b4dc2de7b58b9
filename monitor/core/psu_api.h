// The four calls of the UPS driver library, behind an interface so tests can stand in
// for the library. Buffers are the caller's; see psu/psu.h for the byte contract.
#pragma once

#include <cstdint>

namespace brightlock {

class PsuApi {
public:
    virtual ~PsuApi() = default;
    virtual void HidHandle() = 0;
    virtual void CloseHandleDevice() = 0;
    virtual void CmdOutput(int32_t command, int32_t reserved, char* echo) = 0;
    virtual void CmdInput(char* reply, char* aux) = 0;
    // Whether the open driver is a simulated UPS; a library that cannot tell drives a
    // real one.
    virtual bool simulated() { return false; }
};

} // namespace brightlock
