// ImportClosedApps: at the start after a shutdown, the applications that the closer saved
// are copied from its list CloseApp.ini into the closed-applications store, once. The list
// comes from another program and may be damaged: it is read in one pass, each value is cut
// as ReadIni cuts it, and the number of entries is bounded by the 16-bit index, so a bad
// file costs bounded time and memory and imports at most what it holds.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brightlock {

// One saved application, by field position of the store: date, time, window title, save path.
using ClosedAppRow = QStringList;

// [CloseApp] Count as the closer's last index: a number rounded to a whole one (halves to even)
// within the 16-bit range; nullopt when it is missing, not a number or out of range.
std::optional<int> closedAppCount(std::string_view fileText);

// The entries 1 to Count of the list's text that have a save path, in index order.
std::vector<ClosedAppRow> savedApplications(std::string_view fileText);

class ImportClosedApps {
public:
    // Adds rows to the closed-applications store; how many were added.
    using AddRows = std::function<int(const std::vector<ClosedAppRow>&)>;

    explicit ImportClosedApps(AddRows add) : add_(std::move(add)) {}

    // When [Schema] CloseAppFlag equals 1: adds the saved applications of the list at `path`
    // (a missing or unreadable file lists none) and writes the flag "0". Returns whether it
    // ran; any other flag, missing or not a number included, leaves the store and the flag.
    bool run(const std::string& path);

    // What run() read from the list, for a fuzzer or a test that has the file's bytes.
    int importText(std::optional<std::string_view> fileText);

    // Whether the last run() read a list that names no saved application (or no list): the
    // closer's last run saved nothing, so there is nothing new to show.
    bool listedNothing() const { return listed_ == 0; }

private:
    AddRows add_;
    size_t listed_ = 0;
};

} // namespace brightlock
