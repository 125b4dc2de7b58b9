// Logging category of the skinned controls; quiet unless enabled by logging rules.
#pragma once

#include <QLoggingCategory>

namespace brightlock {
Q_DECLARE_LOGGING_CATEGORY(lcSkin)
}
