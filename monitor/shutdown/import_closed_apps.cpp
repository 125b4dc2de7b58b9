// Import of the closer's list; see import_closed_apps.h.
#include "import_closed_apps.h"

#include "ini.h"
#include "ini_file.h"
#include "ini_text.h"
#include "log_categories.h"
#include "settings.h"
#include "settings_catalogue.h"

#include <cmath>
#include <unordered_map>

BRIGHTLOCK_LOGGING_CATEGORY(lcSaveList, "brightlock.savelist")

namespace brightlock {
namespace {

// Indices are 16-bit integers in the closer.
constexpr int kMinCount = -32768;
constexpr int kMaxIndex = 32767;

// The index a key names: the decimal text of 1 to 32767, no sign, no leading zero.
int indexOf(std::string_view key) {
    if (key.empty() || key.size() > 5 || key.front() == '0')
        return 0;
    int n = 0;
    for (const char c : key) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n <= kMaxIndex ? n : 0;
}

// A value as the load's holders keep it: cut at its first NUL, then as ReadIni cuts it.
QString holderText(std::string_view stored) {
    return iniValueText(stored.substr(0, stored.find('\0')));
}

// The first value of each index key of one section; other keys are not kept.
std::unordered_map<int, std::string_view> indexedValues(std::string_view text, const char* section) {
    std::unordered_map<int, std::string_view> values;
    ini::visitSection(text, section, [&](std::string_view key, std::string_view value) {
        if (const int i = indexOf(key))
            values.emplace(i, value);
        return true;
    });
    return values;
}

} // namespace

std::optional<int> closedAppCount(std::string_view fileText) {
    const std::optional<std::string> stored = ini::lookup(fileText, closeapp::kCloseApp, closeapp::kCount);
    if (!stored)
        return std::nullopt;
    const std::optional<double> number = parseNumber(holderText(*stored));
    if (!number)
        return std::nullopt;
    const double whole = std::nearbyint(*number);
    if (whole < kMinCount || whole > kMaxIndex)
        return std::nullopt;
    return int(whole);
}

std::vector<ClosedAppRow> savedApplications(std::string_view fileText) {
    const int count = closedAppCount(fileText).value_or(0);
    std::vector<ClosedAppRow> rows;
    if (count < 1)
        return rows;
    const auto paths = indexedValues(fileText, closeapp::kSaveAppFileName);
    if (paths.empty())
        return rows;
    const auto dates = indexedValues(fileText, closeapp::kDate);
    const auto times = indexedValues(fileText, closeapp::kTime);
    const auto titles = indexedValues(fileText, closeapp::kCloseApp);
    auto valueAt = [](const std::unordered_map<int, std::string_view>& values, int i) {
        const auto it = values.find(i);
        return it == values.end() ? QString() : holderText(it->second);
    };
    for (int i = 1; i <= count; ++i) {
        const QString path = valueAt(paths, i);
        if (path.isEmpty())
            continue; // the window closed without being saved
        rows.push_back({valueAt(dates, i), valueAt(times, i), valueAt(titles, i), path});
    }
    return rows;
}

int ImportClosedApps::importText(std::optional<std::string_view> fileText) {
    listed_ = 0;
    if (!fileText)
        return 0;
    const std::vector<ClosedAppRow> rows = savedApplications(*fileText);
    listed_ = rows.size();
    return rows.empty() ? 0 : add_(rows);
}

bool ImportClosedApps::run(const std::string& path) {
    const std::optional<double> flag = settings::storedNumber(settings::CloseAppFlag);
    if (!flag || *flag != 1)
        return false;
    const std::optional<std::string> text = ini::readFile(path);
    const int added = importText(text ? std::optional<std::string_view>(*text) : std::nullopt);
    qCInfo(lcSaveList) << "imported" << added << "saved applications from" << QString::fromStdString(path);
    // Once the flag is down the same list is never imported again; if it cannot be written,
    // the next start would import the list a second time.
    if (!settings::write(settings::CloseAppFlag, QStringLiteral("0")))
        qCWarning(lcSaveList) << "CloseAppFlag cannot be reset in" << SettingsFile();
    return true;
}

} // namespace brightlock
