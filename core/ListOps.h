#pragma once
// The list-management commands. How paths become rows is the intake's
// (intake/PathIntake.h).

#include "core/RenameList.h"

// The moves trade two whole entries and keep the moved entry selected; they
// return false when there was nothing to do.
bool MoveRowUp(RenameList& list);
bool MoveRowDown(RenameList& list);
bool RemoveSelectedRow(RenameList& list);

// Text of status panel 2.
[[nodiscard]] QString CountText(int rows);
