// Button and check box words; see dialog_labels.h.
#include "dialog_labels.h"

#include <QRegularExpression>
#include <QStringList>

namespace brightlock::atspi {

QString plainLabel(const QString& name) {
    QString text = name;
    text.remove(QLatin1Char('_'));
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text = text.simplified().toLower();
    while (text.endsWith(QChar(0x2026)) || text.endsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char(':')))
        text.chop(1);
    text = text.trimmed();
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() % 2 == 0 && !words.isEmpty()) {
        const int half = int(words.size() / 2);
        if (words.mid(0, half) == words.mid(half))
            return words.mid(0, half).join(QLatin1Char(' '));
    }
    return text;
}

bool savesLabel(const QString& name) {
    const QString label = plainLabel(name);
    if (!label.startsWith(QLatin1String("save")))
        return false;
    static const QRegularExpression refusal(QStringLiteral("\\b(without|not|don't|dont|never)\\b"));
    return !label.contains(refusal);
}

bool confirmsFileLabel(const QString& name) {
    return savesLabel(name) || plainLabel(name) == QLatin1String("ok");
}

bool keepsFormatLabel(const QString& name) {
    const QString label = plainLabel(name);
    if (label.startsWith(QLatin1String("keep")) && label.contains(QLatin1String("format")))
        return true;
    // LibreOffice names the document's format on the button: "Use Word 2007-365!" in older
    // versions, "Use Office Open XML Text (Transitional) Format" in later ones.
    const bool namesFormat = label.endsWith(QLatin1Char('!')) || label.endsWith(QLatin1String(" format"));
    return label.startsWith(QLatin1String("use ")) && namesFormat && !ownFormatLabel(name);
}

bool ownFormatLabel(const QString& name) {
    const QString label = plainLabel(name);
    return label.contains(QLatin1String("odf format"));
}

bool selectsAllLabel(const QString& name) {
    return plainLabel(name) == QLatin1String("select all");
}

bool settingLabel(const QString& name) {
    const QString label = plainLabel(name);
    for (const char* word : {"again", "remember", "always", "future", "don't ask", "do not ask", "show"})
        if (label.contains(QLatin1String(word)))
            return true;
    return false;
}

} // namespace brightlock::atspi
