// PsuApi over the real libPSU.so, loaded by name with dlopen at the first HidHandle (the
// monitor's RUNPATH holds its own folder, so a copy beside the program is found).
// A library that cannot be loaded, or lacks one of the four functions, behaves as a
// UPS that never answers; the failure is reported once through onLoadFailure, and every
// later HidHandle (each poll while the UPS does not answer) looks for the library again,
// so one installed meanwhile is taken up. The other calls never load it: closing a
// connection that was never opened needs no library.
#pragma once

#include "psu_api.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace brightlock {

// The library's exported functions. The four of the contract are all there or the library
// is not usable; PsuIsSimulated and PsuProblem are optional.
struct PsuFunctions {
    using Void = int32_t (*)();
    using Output = int32_t (*)(int32_t, int32_t, char*);
    using Input = int32_t (*)(char*, char*);
    using Problem = int32_t (*)(char*, int32_t);

    Void HidHandle = nullptr;
    Void CloseHandleDevice = nullptr;
    Output CmdOutput = nullptr;
    Input CmdInput = nullptr;
    Void PsuIsSimulated = nullptr;
    Problem PsuProblem = nullptr;
};

// Loads the library `name` (a bare name as the library search finds it, then in the
// program's folder) and looks up its functions. False with `error` set when it cannot be
// loaded or lacks one of the four; the library then stays unloaded.
bool loadPsuFunctions(const QByteArray& name, PsuFunctions& functions, QString& error);

class PsuLibrary : public PsuApi {
public:
    explicit PsuLibrary(QByteArray name = QByteArrayLiteral("libPSU.so"));

    void HidHandle() override;
    void CloseHandleDevice() override;
    void CmdOutput(int32_t command, int32_t reserved, char* echo) override;
    void CmdInput(char* reply, char* aux) override;
    // Asks the library's optional PsuIsSimulated; false when it has none.
    bool simulated() override;

    // Loads the library unless it is loaded; true when all four functions are there.
    bool load();
    bool loaded() const { return functions_.CmdInput != nullptr; }
    QString errorText() const { return error_; }

    // Told once when the library cannot be loaded, and once for each new reason the
    // library gives (PsuProblem) for reaching no UPS, such as an unknown driver name.
    std::function<void(const QString& message)> onLoadFailure;

private:
    QByteArray name_;
    bool reported_ = false;
    QString problemTold_;
    QString error_;
    PsuFunctions functions_;
};

} // namespace brightlock
