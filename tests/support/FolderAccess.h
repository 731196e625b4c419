#pragma once

#include <QString>

// Lets every user create and change files in `folder`: the write bit for
// others on POSIX, an entry for Everyone in the access list on Windows.
[[nodiscard]] bool LetOthersWriteIn(const QString& folder);
