// The program's logging policy, in one place: every category shows warnings and worse by
// default (failures the user is not told about, such as a store that cannot be written or a
// serial port that will not open); QT_LOGGING_RULES="brightlock.<name>.debug=true" shows
// more. Categories are declared here and defined with BRIGHTLOCK_LOGGING_CATEGORY.
#pragma once

#include <QLoggingCategory>

#define BRIGHTLOCK_LOGGING_CATEGORY(name, id) Q_LOGGING_CATEGORY(name, id, QtWarningMsg)

namespace brightlock {
Q_DECLARE_LOGGING_CATEGORY(lcSkin)    // the skinned controls ("brightlock.skin")
Q_DECLARE_LOGGING_CATEGORY(lcForms)   // the window kit ("brightlock.forms")
Q_DECLARE_LOGGING_CATEGORY(lcConfig)  // the settings pages ("brightlock.config")
Q_DECLARE_LOGGING_CATEGORY(lcRecords) // the record stores ("brightlock.records")
} // namespace brightlock
