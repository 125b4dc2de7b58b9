// Qt face of the INI module; the rules themselves are in ini_text.cpp and ini_file.cpp.
#include "ini.h"

#include "app_paths.h"
#include "ini_file.h"
#include "ini_read.h"
#include "ini_text.h"

namespace {

constexpr int kMaxValueLength = 253;

std::string bytes(const QString& s) {
    return s.toStdString();
}

} // namespace

QString ReadIni(const QString& FileName, const QString& Section, const QString& Key, const QString& Default) {
    const auto text = brightlock::ini::readValuesText(bytes(FileName));
    if (!text)
        return Default;
    const auto value = brightlock::ini::lookup(*text, bytes(Section), bytes(Key));
    if (!value)
        return Default;
    return brightlock::iniValueText(*value);
}

QString brightlock::iniValueText(std::string_view stored) {
    QString text = QString::fromUtf8(stored.data(), qsizetype(stored.size()));
    if (text.size() > kMaxValueLength) {
        text.truncate(kMaxValueLength);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

QString WriteIni(const QString& FileName, const QString& Section, const QString& Key, const QString& Value) {
    bool ok = brightlock::ini::writeValue(bytes(FileName), bytes(Section), bytes(Key), bytes(Value));
    return ok ? QStringLiteral("1") : QStringLiteral("0");
}

QString SettingsFile() {
    return brightlock::ApplicationDirectory() + QStringLiteral("/UpsConfigure.ini");
}
