#include "core/Log.h"

// Warnings and above by default; the category's name is the prefix of every line.
Q_LOGGING_CATEGORY(lcQuorvane, "quorvane", QtWarningMsg)
