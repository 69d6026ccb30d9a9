// The support the tests share, where a fault in it would pass or fail tests
// for reasons of its own: reads that fail and processes that end under them.
#include "Base/testing/Processes.h"
#include "Base/testing/TemporaryFolder.h"
#include "Base/testing/Waiting.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>

using Base::Testing::hasEnded;
using Base::Testing::processEntry;
using Base::Testing::readBytes;
using Base::Testing::TemporaryFolder;
using Base::Testing::writeBytes;

TEST(TestingSupportTest, AFileThatCannotBeReadGivesNothing) {
    TemporaryFolder tmp;
    writeBytes(tmp.path() / "file", "bytes");
    EXPECT_EQ(readBytes(tmp.path() / "file"), "bytes");
    EXPECT_EQ(readBytes(tmp.path() / "missing"), "");
    // A folder opens, and only its read fails.
    EXPECT_EQ(readBytes(tmp.path()), "");
}

TEST(TestingSupportTest, AProcessHasEndedOnceDeadAndWhenGone) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    // Dead, not yet reaped: still listed, under its parent.
    ASSERT_TRUE(Base::Testing::waitUntil([&] { return hasEnded(child); }));
    ASSERT_TRUE(processEntry(child).has_value());
    EXPECT_EQ(processEntry(child)->parent, ::getpid());

    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(readBytes("/proc/" + std::to_string(child) + "/stat"), "");
    EXPECT_FALSE(processEntry(child).has_value());
    EXPECT_TRUE(hasEnded(child));
}
