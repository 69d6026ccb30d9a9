#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "Base/testing/TemporaryFolder.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/FileChecklistStore.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

// A document of a few kilobytes, distinct throughout for each letter.
ChecklistState document(char letter) {
    ChecklistTemplate checklist{Testing::uuid(letter), std::string(50, letter), {}};
    for (unsigned i = 0; i < 24; ++i) {
        checklist.items.push_back({Testing::uuid(letter * 100u + i), std::string(120, letter), {"Yes", "No"}});
    }
    return ChecklistState({checklist}, checklist.id, {}, {});
}

// A child saves two documents in turn until it is killed at a random moment;
// whenever that is, the file must read as one of them.
TEST(FileChecklistStoreCrashTest, AKilledSaveLeavesTheOldOrTheNewDocument) {
    Base::Testing::TemporaryFolder folder;
    FileChecklistStore store(FileChecklistStore::defaultURL(folder.path()));
    const ChecklistState first = document('a');
    const ChecklistState second = document('b');
    // Written without the store, so that no child inherits state from a save of the parent.
    std::filesystem::create_directories(store.url().parent_path());
    Base::Testing::writeBytes(store.url(), toJson(first).dump(true));

    std::mt19937 random(std::random_device{}());
    int landedBetween = 0;
    for (int round = 0; round < 200; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            (void)store.save(second);
            if (::write(ready[1], "r", 1) != 1) ::_exit(4);  // saving has begun: the kill can land anywhere now
            for (unsigned n = 0;; ++n) (void)store.save(n % 2 ? second : first);
        }
        ::close(ready[1]);
        char signal = 0;
        ASSERT_EQ(::read(ready[0], &signal, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::optional<ChecklistState> loaded = store.load();
        ASSERT_TRUE(loaded) << "round " << round << ": the file was not a whole document";
        ASSERT_TRUE(*loaded == first || *loaded == second) << "round " << round;
        if (*loaded == first) ++landedBetween;
        ASSERT_FALSE(std::filesystem::exists(store.quarantineURL()));
    }
    EXPECT_GT(landedBetween, 0) << "the kills landed at different moments";
}

}  // namespace
}  // namespace ChecklistKit
