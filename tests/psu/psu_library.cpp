// Loading libPSU.so for the tests; see psu_library.h.
#include "psu_library.h"

#include <dlfcn.h>

PsuLibrary::PsuLibrary() {
    const QByteArray path = qgetenv("BRIGHTLOCK_DIST") + "/libPSU.so";
    handle_ = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        error_ = QString::fromLocal8Bit(dlerror());
        return;
    }
    hidHandle_ = reinterpret_cast<int32_t (*)()>(dlsym(handle_, "HidHandle"));
    close_ = reinterpret_cast<int32_t (*)()>(dlsym(handle_, "CloseHandleDevice"));
    cmdOutput_ = reinterpret_cast<int32_t (*)(int32_t, int32_t, char*)>(dlsym(handle_, "CmdOutput"));
    cmdInput_ = reinterpret_cast<int32_t (*)(char*, char*)>(dlsym(handle_, "CmdInput"));
    isSimulated_ = reinterpret_cast<int32_t (*)()>(dlsym(handle_, "PsuIsSimulated"));
    if (!hidHandle_ || !close_ || !cmdOutput_ || !cmdInput_) {
        error_ = "libPSU.so lacks one of the four functions";
        dlclose(handle_);
        handle_ = nullptr;
    }
}

PsuLibrary::~PsuLibrary() {
    if (handle_)
        close_();
    // Not unloaded: a late device call may still run on the library's worker thread.
}

uint32_t PsuLibrary::Reply::runtime() const {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(uint8_t(reply.at(5 + i))) << (8 * i);
    return v;
}

PsuLibrary::Reply PsuLibrary::query() {
    Reply r;
    char echo[2] = {0, 0};
    cmdOutput_(1, 0, echo);
    r.echo = QByteArray(echo, 2);
    if (r.answered()) {
        char reply[50] = {};
        char aux[6] = {};
        cmdInput_(reply, aux);
        r.reply = QByteArray(reply, 50);
        r.aux = QByteArray(aux, 6);
    }
    return r;
}

bool PsuLibrary::switchOff() {
    char echo[2] = {0, 0};
    cmdOutput_(2, 0, echo);
    return QByteArray(echo, 2) == "S1";
}
