// Logging category of the record stores: failures that the user is not told about.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcRecords)
