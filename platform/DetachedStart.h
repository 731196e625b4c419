#pragma once

#include <QString>

// Runs a program on its own (not as a child that ends with this one), with no
// arguments, in workingFolder. False, with the system's reason, when it could
// not be started.
bool StartDetached(const QString& program, const QString& workingFolder, QString* reason = nullptr);
