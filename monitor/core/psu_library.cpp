// Loading libPSU.so; see psu_library.h.
#include "psu_library.h"

#include "app_paths.h"
#include "log_categories.h"

#include <QCoreApplication>
#include <QFile>
#include <dlfcn.h>

BRIGHTLOCK_LOGGING_CATEGORY(lcPsu, "brightlock.psu")

namespace brightlock {

bool loadPsuFunctions(const QByteArray& name, PsuFunctions& functions, QString& error) {
    void* handle = ::dlopen(name.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        error = QString::fromLocal8Bit(::dlerror());
    // The search by name normally finds the copy beside the program through its RUNPATH;
    // where a wrapper of dlopen hides that (a sanitizer, a preloaded library), look in
    // the program's folder directly.
    if (!handle && !name.contains('/'))
        handle = ::dlopen(QFile::encodeName(ProgramDirectory() + QLatin1Char('/')).append(name).constData(),
                          RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return false;
    auto sym = [&](const char* fn) { return ::dlsym(handle, fn); };
    PsuFunctions f;
    f.HidHandle = reinterpret_cast<PsuFunctions::Void>(sym("HidHandle"));
    f.CloseHandleDevice = reinterpret_cast<PsuFunctions::Void>(sym("CloseHandleDevice"));
    f.CmdOutput = reinterpret_cast<PsuFunctions::Output>(sym("CmdOutput"));
    f.CmdInput = reinterpret_cast<PsuFunctions::Input>(sym("CmdInput"));
    f.PsuIsSimulated = reinterpret_cast<PsuFunctions::Void>(sym("PsuIsSimulated"));
    f.PsuProblem = reinterpret_cast<PsuFunctions::Problem>(sym("PsuProblem"));
    if (!f.HidHandle || !f.CloseHandleDevice || !f.CmdOutput || !f.CmdInput) {
        error = QStringLiteral("%1 lacks one of HidHandle, CloseHandleDevice, CmdOutput and CmdInput")
                    .arg(QString::fromLocal8Bit(name));
        ::dlclose(handle);
        return false;
    }
    error.clear();
    functions = f;
    return true;
}

PsuLibrary::PsuLibrary(QByteArray name) : name_(std::move(name)) {}

bool PsuLibrary::load() {
    if (loaded())
        return true;
    if (loadPsuFunctions(name_, functions_, error_))
        return true;
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
    if (!load())
        return;
    functions_.HidHandle();
    char text[512] = {};
    const bool problem = functions_.PsuProblem && functions_.PsuProblem(text, sizeof text) == 1;
    const QString reason = problem ? QString::fromLocal8Bit(text) : QString();
    if (reason == problemTold_)
        return;
    problemTold_ = reason;
    if (reason.isEmpty())
        return;
    qCWarning(lcPsu).noquote() << reason;
    if (onLoadFailure)
        onLoadFailure(QCoreApplication::translate("PsuLibrary",
                                                  "The UPS driver setting cannot be used:\n%1\n\n"
                                                  "Brightlock shows the UPS as disconnected until the "
                                                  "setting is mended; it reads it again at every poll.")
                          .arg(reason));
}

void PsuLibrary::CloseHandleDevice() {
    if (loaded())
        functions_.CloseHandleDevice();
}

void PsuLibrary::CmdOutput(int32_t command, int32_t reserved, char* echo) {
    if (loaded())
        functions_.CmdOutput(command, reserved, echo);
}

void PsuLibrary::CmdInput(char* reply, char* aux) {
    if (loaded())
        functions_.CmdInput(reply, aux);
}

bool PsuLibrary::simulated() {
    return functions_.PsuIsSimulated && functions_.PsuIsSimulated() == 1;
}

} // namespace brightlock
