#include <gtest/gtest.h>

#include "Base/FileSystem.h"
#include "Base/testing/TemporaryFolder.h"
#include "WaylarkKit/App/InstanceLock.h"

using WaylarkKit::InstanceLock;
using Kind = InstanceLock::Outcome::Kind;

TEST(InstanceLockTest, OneHolderAtATimeOnAnOwnerOnlyFileThatStays) {
    Base::Testing::TemporaryFolder folder;
    const auto path = folder.path() / "data" / "OrlTradingWaylark" / "instance.lock";
    {
        auto first = InstanceLock::acquire(path);
        ASSERT_EQ(first.kind, Kind::acquired) << first.error;
        EXPECT_EQ(Base::FileSystem::permissions(path.parent_path()), 0700);
        EXPECT_EQ(Base::FileSystem::permissions(path), 0600);
        // Another open of the same file is another process's view of it.
        const auto second = InstanceLock::acquire(path);
        EXPECT_EQ(second.kind, Kind::heldElsewhere);
        EXPECT_FALSE(second.lock.has_value());
    }
    EXPECT_EQ(InstanceLock::acquire(path).kind, Kind::acquired);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(InstanceLockTest, AFolderThatCannotBeMadeIsAFailureThatSaysWhere) {
    Base::Testing::TemporaryFolder folder;
    Base::Testing::writeBytes(folder.path() / "file", "");
    const auto blocked = folder.path() / "file" / "OrlTradingWaylark" / "instance.lock";
    const auto outcome = InstanceLock::acquire(blocked);
    EXPECT_EQ(outcome.kind, Kind::failed);
    EXPECT_NE(outcome.error.find((folder.path() / "file").string()), std::string::npos) << outcome.error;
}
