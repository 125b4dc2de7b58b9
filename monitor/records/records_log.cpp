// Quiet by default; enable with QT_LOGGING_RULES="brightlock.records.warning=true" (or .debug).
#include "records_log.h"

Q_LOGGING_CATEGORY(lcRecords, "brightlock.records", QtCriticalMsg)
