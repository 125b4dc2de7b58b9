// The settings pages' debugging output ("brightlock.config", quiet by default): the steps
// that fail without telling the user, such as a serial port that will not open.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcConfig)
