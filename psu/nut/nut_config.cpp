// The nut driver's settings; see nut_config.h.
#include "nut_config.h"

#include "library_paths.h"
#include "log.h"
#include "psu_settings.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace psu::nut {
namespace {

bool plainName(const std::string& s) {
    return std::none_of(s.begin(), s.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"' || c == '\\';
    });
}

std::string lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::optional<Address> parseAddress(const std::string& text) {
    Address a;
    std::string rest = text;
    if (size_t at = rest.find('@'); at != std::string::npos) {
        a.ups = rest.substr(0, at);
        rest = rest.substr(at + 1);
        if (rest.empty())
            return std::nullopt;
    } else {
        a.ups = rest;
        rest.clear();
    }
    if (!rest.empty()) {
        std::string portText;
        if (rest.front() == '[') {
            size_t close = rest.find(']');
            if (close == std::string::npos)
                return std::nullopt;
            a.host = rest.substr(1, close - 1);
            if (close + 1 < rest.size()) {
                if (rest[close + 1] != ':')
                    return std::nullopt;
                portText = rest.substr(close + 2);
            }
        } else if (size_t colon = rest.find(':'); colon != std::string::npos) {
            a.host = rest.substr(0, colon);
            portText = rest.substr(colon + 1);
        } else {
            a.host = rest;
        }
        if (!portText.empty() || rest.back() == ':') {
            char* end = nullptr;
            long port = std::strtol(portText.c_str(), &end, 10);
            if (portText.empty() || *end != '\0' || port < 1 || port > 65535)
                return std::nullopt;
            a.port = uint16_t(port);
        }
    }
    if (a.host.empty() || !plainName(a.ups) || !plainName(a.host) || a.ups.find(':') != std::string::npos ||
        a.host.find_first_of("[]") != std::string::npos)
        return std::nullopt;
    return a;
}

std::string passwordFileProblem(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return path + " cannot be read";
    if (st.st_mode & (S_IRWXG | S_IRWXO))
        return path + " holds a password but other users can read or change it; run: chmod 600 '" + path +
               "'";
    if (st.st_uid != ::geteuid())
        return path + " holds a password but belongs to another user";
    return {};
}

Config loadConfig() {
    Config c;
    std::optional<std::string> text;
    if (const char* env = std::getenv("PSU_NUT_UPS"); env && *env)
        text = env;
    else
        text = setting("nut", "Ups");
    if (text) {
        if (auto a = parseAddress(*text)) {
            c.address = *a;
            c.configured = true;
        } else {
            debugLog("nut: ignoring the malformed UPS address '%s'", text->c_str());
        }
    }
    c.user = setting("nut", "User").value_or("");
    c.password = setting("nut", "Password").value_or("");
    const std::string tls = lower(setting("nut", "Tls").value_or("off"));
    c.tls = (tls == "require" || tls == "required")       ? Tls::Require
            : (tls == "try" || tls == "1" || tls == "on") ? Tls::Try
                                                          : Tls::Off;
    c.certVerify = settingNumber("nut", "CertVerify", 0, 0, 1) != 0;
    c.certPath = setting("nut", "CertPath").value_or("");

    if (c.user.empty() || c.password.empty())
        c.credentialProblem = "no User and Password in section [nut] of " + settingsFile();
    else if (!plainName(c.user) || c.password.find_first_of("\r\n") != std::string::npos)
        c.credentialProblem =
            "the User or Password in " + settingsFile() + " holds characters the server cannot take";
    else
        c.credentialProblem = passwordFileProblem(settingsFile());
    return c;
}

} // namespace psu::nut
