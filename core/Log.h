#pragma once
// The program's diagnostics on stderr ("quorvane: ..."): a file passed over
// at start-up, settings that could not be saved. QT_LOGGING_RULES can
// silence them ("quorvane.warning=false").

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcQuorvane)
