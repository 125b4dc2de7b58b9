// A fresh application directory for one test: BRIGHTLOCK_HOME points at a temporary
// folder holding the shipped settings, and is restored afterwards.
#pragma once

#include "ini.h"
#include "settings.h"

#include <QTemporaryDir>
#include <QtGlobal>

class TempHome {
public:
    TempHome() : old_(qgetenv("BRIGHTLOCK_HOME")) {
        qputenv("BRIGHTLOCK_HOME", dir_.path().toLocal8Bit());
        brightlock::installSettingsFile();
    }
    ~TempHome() {
        if (old_.isNull())
            qunsetenv("BRIGHTLOCK_HOME");
        else
            qputenv("BRIGHTLOCK_HOME", old_);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString path() const { return dir_.path(); }
    void set(const QString& section, const QString& key, const QString& value) const {
        WriteIni(SettingsFile(), section, key, value);
    }

private:
    QTemporaryDir dir_;
    QByteArray old_;
};
