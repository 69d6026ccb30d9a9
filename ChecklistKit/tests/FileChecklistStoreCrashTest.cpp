#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "ChecklistKit/FileChecklistStore.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using Testing::uuid;

// Two documents of a few kilobytes each, distinct throughout.
ChecklistState document(unsigned seed) {
    ChecklistState state;
    for (unsigned t = 0; t < 3; ++t) {
        ChecklistTemplate checklist{uuid(seed * 1000 + t), "Template " + std::to_string(seed), {}};
        for (unsigned i = 0; i < 8; ++i) {
            checklist.items.push_back({uuid(seed * 100000 + t * 100 + i), std::string(120, static_cast<char>('a' + seed)),
                                       {"Yes", "No"}});
        }
        state.templates.push_back(std::move(checklist));
    }
    state.activeTemplateID = state.templates.front().id;
    return state;
}

TEST(FileChecklistStoreCrashTest, AKilledSaveLeavesTheOldOrTheNewDocument) {
    Testing::TemporaryFolder folder;
    FileChecklistStore store(FileChecklistStore::defaultURL(folder.path()));
    const ChecklistState first = document(1);
    const ChecklistState second = document(2);
    ASSERT_TRUE(store.save(first));

    std::mt19937 random(std::random_device{}());
    int landedBetween = 0;
    for (int round = 0; round < 250; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (unsigned n = 0;; ++n) (void)store.save(n % 2 ? first : second);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 4000)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::optional<ChecklistState> loaded = store.load();
        ASSERT_TRUE(loaded) << "round " << round << ": the file was not a whole document";
        ASSERT_TRUE(*loaded == first || *loaded == second) << "round " << round;
        if (*loaded == second) ++landedBetween;
        ASSERT_FALSE(std::filesystem::exists(store.quarantineURL()));
    }
    // The child did get to write now and then.
    EXPECT_GT(landedBetween, 0);
}

}  // namespace
}  // namespace ChecklistKit
