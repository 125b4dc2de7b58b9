// Access-key markers in captions.
#include "mnemonic.h"

namespace brightlock {

QString captionWithoutMnemonic(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        else if (caption.at(i) == u'&')
            continue;
        shown.append(caption.at(i));
    }
    return shown;
}

} // namespace brightlock
