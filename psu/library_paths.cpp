// Paths of libPSU.so; see library_paths.h.
#include "library_paths.h"

#include "app_dir.h"

#include <dlfcn.h>

namespace psu {

std::string libraryDirectory() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&libraryDirectory), &info) && info.dli_fname) {
        std::string path = info.dli_fname;
        size_t slash = path.rfind('/');
        if (slash != std::string::npos)
            return slash == 0 ? "/" : path.substr(0, slash);
    }
    return brightlock::executableDirectory();
}

std::string applicationDirectory() {
    return brightlock::applicationDirectory(libraryDirectory());
}

std::string settingsFile() {
    return applicationDirectory() + "/PSU.ini";
}

} // namespace psu
