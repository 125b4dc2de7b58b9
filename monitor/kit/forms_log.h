// Logging category of the window kit; quiet unless enabled by logging rules.
#pragma once

#include <QLoggingCategory>

namespace brightlock {
Q_DECLARE_LOGGING_CATEGORY(lcForms)
}
