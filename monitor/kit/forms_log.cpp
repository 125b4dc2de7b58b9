// Logging category of the window kit.
#include "forms_log.h"

namespace brightlock {
Q_LOGGING_CATEGORY(lcForms, "brightlock.forms", QtCriticalMsg)
}
