// Captions with an access key: "&Apply" shows "Apply" and is clicked with Alt+A; "&&" is a
// plain ampersand.
#pragma once

#include <QString>

namespace brightlock {

QString captionWithoutMnemonic(const QString& caption);

} // namespace brightlock
