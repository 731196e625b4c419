#pragma once
// A rename journal batch begun as a walk begins it.

#include "core/RenameJournal.h"

#include <gtest/gtest.h>

// The batch's id; empty when the plan is empty.
inline QString BeginBatch(RenameJournal& journal, const RenameList& list,
                          RenameWalkKind kind = RenameWalkKind::All, bool exchange = false)
{
    QString id;
    EXPECT_EQ(journal.begin(kind, WalkPlan(list, kind, exchange), id), QString());
    return id;
}
