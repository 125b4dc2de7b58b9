// The settings pages' logging category; see config_log.h.
#include "config_log.h"

Q_LOGGING_CATEGORY(lcConfig, "brightlock.config", QtWarningMsg)
