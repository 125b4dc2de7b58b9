// PSU.ini, the library's own settings file, read as the library reads it: the driver
// choice, the hid driver's delays and the nut driver's configuration, from a file in a
// private application folder. Properties: numbers stay within their bounds, and a
// configured address is one parseAddress accepts.
#include "driver.h"
#include "fuzz_input.h"
#include "library_paths.h"
#include "nut/nut_config.h"
#include "psu_settings.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string gFolder;

void removeFolder() {
    for (const char* name : {"/PSU.ini", "/PSU.ini.lock"})
        ::unlink((gFolder + name).c_str());
    ::rmdir(gFolder.c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // In memory where there is a tmpfs: the file is rewritten at every run.
    char shm[] = "/dev/shm/brightlock-fuzz-XXXXXX";
    char tmp[] = "/tmp/brightlock-fuzz-XXXXXX";
    const char* folder = ::mkdtemp(shm);
    if (!folder)
        folder = ::mkdtemp(tmp);
    if (!folder)
        std::abort();
    gFolder = folder;
    std::atexit(removeFolder);
    ::setenv("BRIGHTLOCK_HOME", folder, 1);
    ::unsetenv("PSU_DRIVER");
    ::unsetenv("PSU_NUT_UPS");
    ::unsetenv("PSU_DEBUG");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = psu::settingsFile();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    psu::makeDriver(psu::chosenDriverName()); // known names make a driver, others none
    const long delay = psu::settingNumber("hid", "ShutdownDelay", 60, 1, 32767);
    fuzz::require(delay >= 1 && delay <= 32767);
    const psu::nut::Config config = psu::nut::loadConfig();
    if (config.configured)
        fuzz::require(!config.address.host.empty() && config.address.port != 0);
    if (config.credentialProblem.empty())
        fuzz::require(!config.user.empty() && !config.password.empty());
    return 0;
}
