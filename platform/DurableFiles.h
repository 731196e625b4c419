#pragma once
// The rename journal's view of the disk, with the system's own calls.

#include "core/JournalDisk.h"

#include <memory>

// The journal disk of this platform; nothing where none is written yet (the
// program then renames without a journal).
[[nodiscard]] std::unique_ptr<JournalDisk> MakeSystemJournalDisk();
