// The closer's two files: its list of the windows it took up (CloseApp.ini in the
// application directory) and the hand-over flags in the [Schema] section of
// UpsConfigure.ini. Tests record the writes in order through this interface.
#pragma once

#include "settings_catalogue.h"

#include <QString>

namespace brightlock {

class CloserFiles {
public:
    virtual ~CloserFiles() = default;
    // Deletes CloseApp.ini; a missing file is no error.
    virtual void removeList() = 0;
    virtual void writeList(const QString& section, const QString& key, const QString& value) = 0;
    // The stored value as ReadIni gives it (cut to 253 characters); empty when missing.
    virtual QString readList(const QString& section, const QString& key) = 0;
    virtual void writeFlag(const Setting& flag, const QString& value) = 0;
};

// The real files, through ReadIni and WriteIni.
class ProfileFiles : public CloserFiles {
public:
    void removeList() override;
    void writeList(const QString& section, const QString& key, const QString& value) override;
    QString readList(const QString& section, const QString& key) override;
    void writeFlag(const Setting& flag, const QString& value) override;
};

} // namespace brightlock
