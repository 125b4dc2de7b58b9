// How the settings pages tell the user that a value was refused: a modal message box
// titled "System Information" with the critical icon and a single "OK". The call returns
// when the user has closed it; the program's timers keep running meanwhile.
#pragma once

#include <QString>

namespace brightlock {

// The two messages of the settings pages.
inline constexpr char kNumberRangeMessage[] = "Please input number range between 10 and 1000";
inline constexpr char kPleaseInputNumber[] = "Please input number ";

class MessagePort {
public:
    virtual ~MessagePort() = default;
    virtual void critical(const QString& text) = 0;
};

} // namespace brightlock
