// Where the nut driver finds its server and credentials: PSU_NUT_UPS, else PSU.ini
// section [nut] (Ups, User, Password, Tls, CertVerify, CertPath).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace psu::nut {

constexpr uint16_t kDefaultPort = 3493;

struct Address {
    std::string ups; // empty: the first UPS the server lists
    std::string host = "localhost";
    uint16_t port = kDefaultPort;
};

// "ups@host:port", "ups@host", "ups", "@host:port", "[::1]:3493" hosts in brackets.
// nullopt when malformed (a bad port, a blank or a line break in a name).
std::optional<Address> parseAddress(const std::string& text);

enum class Tls { Off, Try, Require };

struct Config {
    Address address;
    bool configured = false; // an address came from PSU_NUT_UPS or PSU.ini
    std::string user;
    std::string password;
    Tls tls = Tls::Off;
    bool certVerify = false;
    std::string certPath;
    // Why the credentials cannot be used; empty when they can.
    std::string credentialProblem;
};

Config loadConfig();

// Empty when `path` may hold a password: a regular file that only its owner can read
// and write. Else the reason, in words for a user.
std::string passwordFileProblem(const std::string& path);

} // namespace psu::nut
