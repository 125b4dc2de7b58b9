// Logging category of the skinned controls.
#include "skin_log.h"

namespace brightlock {
Q_LOGGING_CATEGORY(lcSkin, "brightlock.skin", QtCriticalMsg)
}
