// Loading libPSU.so; see psu_library.h.
#include "psu_library.h"

#include "app_paths.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <dlfcn.h>

Q_LOGGING_CATEGORY(lcPsu, "brightlock.psu", QtWarningMsg)

namespace brightlock {

PsuLibrary::PsuLibrary(QByteArray name) : name_(std::move(name)) {}

bool PsuLibrary::load() {
    if (loaded())
        return true;
    void* handle = ::dlopen(name_.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        error_ = QString::fromLocal8Bit(::dlerror());
    // The search by name normally finds the copy beside the program through its RUNPATH;
    // where a wrapper of dlopen hides that (a sanitizer, a preloaded library), look in
    // the program's folder directly.
    if (!handle && !name_.contains('/'))
        handle = ::dlopen(QFile::encodeName(ProgramDirectory() + QLatin1Char('/')).append(name_).constData(),
                          RTLD_NOW | RTLD_LOCAL);
    if (handle) {
        error_.clear();
        auto sym = [&](const char* fn) { return ::dlsym(handle, fn); };
        auto hid = reinterpret_cast<Void>(sym("HidHandle"));
        auto close = reinterpret_cast<Void>(sym("CloseHandleDevice"));
        auto out = reinterpret_cast<Output>(sym("CmdOutput"));
        auto in = reinterpret_cast<Input>(sym("CmdInput"));
        if (hid && close && out && in) {
            hidHandle_ = hid;
            closeHandleDevice_ = close;
            cmdOutput_ = out;
            cmdInput_ = in;
            isSimulated_ = reinterpret_cast<Void>(sym("PsuIsSimulated"));
            return true;
        }
        error_ = QStringLiteral("%1 lacks one of HidHandle, CloseHandleDevice, CmdOutput and CmdInput")
                     .arg(QString::fromLocal8Bit(name_));
        ::dlclose(handle);
    }
    if (reported_)
        return false;
    reported_ = true;
    qCWarning(lcPsu) << "UPS driver library not usable:" << error_;
    if (onLoadFailure)
        onLoadFailure(QCoreApplication::translate(
                          "PsuLibrary", "The UPS driver library %1 could not be loaded:\n%2\n\n"
                                        "Brightlock cannot reach a USB UPS and shows it as disconnected "
                                        "until the library is installed beside the program; it looks "
                                        "for it again at every poll.")
                          .arg(QString::fromLocal8Bit(name_), error_));
    return false;
}

void PsuLibrary::HidHandle() {
    if (load())
        hidHandle_();
}

void PsuLibrary::CloseHandleDevice() {
    if (loaded())
        closeHandleDevice_();
}

void PsuLibrary::CmdOutput(int32_t command, int32_t reserved, char* echo) {
    if (loaded())
        cmdOutput_(command, reserved, echo);
}

void PsuLibrary::CmdInput(char* reply, char* aux) {
    if (loaded())
        cmdInput_(reply, aux);
}

bool PsuLibrary::simulated() {
    return isSimulated_ && isSimulated_() == 1;
}

} // namespace brightlock
