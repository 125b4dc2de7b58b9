// PSU.ini values; see psu_settings.h.
#include "psu_settings.h"

#include "ini_file.h"
#include "library_paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace psu {

std::optional<std::string> setting(const std::string& section, const std::string& key) {
    auto v = brightlock::ini::readValue(settingsFile(), section, key);
    if (!v)
        return std::nullopt;
    // A comment after the value ("Driver=nut   ; the NAS") belongs to the reader, not
    // the value; a ';' inside a word (a password) stays.
    for (size_t i = 1; i < v->size(); ++i) {
        if ((*v)[i] == ';' && ((*v)[i - 1] == ' ' || (*v)[i - 1] == '\t')) {
            v->erase(i);
            break;
        }
    }
    while (!v->empty() && (v->back() == ' ' || v->back() == '\t'))
        v->pop_back();
    if (v->empty())
        return std::nullopt;
    return v;
}

long settingNumber(const std::string& section, const std::string& key, long fallback, long min, long max) {
    auto v = setting(section, key);
    if (!v)
        return fallback;
    char* end = nullptr;
    errno = 0;
    long n = std::strtol(v->c_str(), &end, 10);
    if (errno != 0 || end == v->c_str() || *end != '\0')
        return fallback;
    return std::clamp(n, min, max);
}

} // namespace psu
