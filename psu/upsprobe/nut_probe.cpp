// upsprobe --nut: asks a Network UPS Tools server what the nut driver would see.
#include "probe.h"

#include "nut/nut_client.h"
#include "nut/nut_config.h"
#include "nut/nut_status.h"

#include <cstdio>

namespace upsprobe {

int probeNut(const std::string& address) {
    using namespace psu::nut;
    Config config = loadConfig();
    if (!address.empty()) {
        auto a = parseAddress(address);
        if (!a) {
            std::fprintf(stderr, "upsprobe: '%s' is not of the form ups@host:port\n", address.c_str());
            return 2;
        }
        config.address = *a;
    }
    const Address& a = config.address;
    Connection conn;
    if (!conn.connect(a.host, a.port, config.tls, 2000)) {
        std::printf("NUT server %s:%u: no answer (%s)\n", a.host.c_str(), unsigned(a.port),
                    conn.lastError().c_str());
        return 1;
    }
    std::vector<std::string> names = conn.listUps();
    if (!conn.connected()) {
        std::printf("NUT server %s:%u: %s: it accepted the connection, then sent nothing back.\n"
                    "  Is a Network UPS Tools server (upsd) listening there?\n",
                    a.host.c_str(), unsigned(a.port), conn.lastError().c_str());
        return 1;
    }
    std::printf("NUT server %s:%u shares:", a.host.c_str(), unsigned(a.port));
    for (const std::string& n : names)
        std::printf(" %s", n.c_str());
    std::printf("%s\n", names.empty() ? " no UPS" : "");
    const std::string ups = a.ups.empty() && !names.empty() ? names.front() : a.ups;
    if (ups.empty())
        return 1;
    std::string status;
    switch (conn.get(ups, "ups.status", &status)) {
    case Connection::Result::Ok:
        break;
    case Connection::Result::Missing:
    case Connection::Result::NoAnswer:
    case Connection::Result::Broken:
        std::printf("  %s: no answer (%s)\n", ups.c_str(), conn.lastError().c_str());
        return 1;
    }
    auto st = statusFromUpsStatus(status);
    std::printf("  %s: ups.status \"%s\" -> %s\n", ups.c_str(), status.c_str(),
                !st              ? "no answer yet"
                : !st->acPresent ? (st->batteryLow ? "on battery, battery low" : "on battery")
                                 : (st->batteryLow ? "mains present, battery low" : "mains present"));
    if (config.credentialProblem.empty())
        std::printf("  switch-off: will log in as %s\n", config.user.c_str());
    else
        std::printf("  switch-off: not possible: %s\n", config.credentialProblem.c_str());
    return 0;
}

} // namespace upsprobe
