#include "app/RenameSession.h"
#include "tests/core/MemoryDisk.h"
#include "tests/support/FakeServices.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(Session, Builds)
{
    FakeFolderLister lister;
    EXPECT_TRUE(true);
}

} // namespace
