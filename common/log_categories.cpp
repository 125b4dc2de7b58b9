// The logging categories shared by the monitor's layers; see log_categories.h.
#include "log_categories.h"

namespace brightlock {
BRIGHTLOCK_LOGGING_CATEGORY(lcSkin, "brightlock.skin")
BRIGHTLOCK_LOGGING_CATEGORY(lcForms, "brightlock.forms")
BRIGHTLOCK_LOGGING_CATEGORY(lcConfig, "brightlock.config")
BRIGHTLOCK_LOGGING_CATEGORY(lcRecords, "brightlock.records")
} // namespace brightlock
