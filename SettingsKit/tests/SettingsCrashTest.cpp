#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <random>

#include "Base/testing/TemporaryFolder.h"
#include "SettingsKit/FileSettingsStore.h"

using SettingsKit::AppSettings;
using SettingsKit::FileSettingsStore;

namespace {

// Two documents of different sizes, so that a torn write could not pass for either.
AppSettings older() {
    AppSettings settings;
    settings.weeklyCurrency = "EUR";
    return settings;
}

AppSettings newer() {
    AppSettings settings;
    settings.greeting = {false, "Bună dimineața", "Ana"};
    for (int i = 0; i < 16; ++i) settings.displays.choices["display-" + std::to_string(100 + i)] = i % 3 == 0;
    return settings;
}

// Saves the two documents in turn, tells the parent once the first is saved, and goes on until killed.
[[noreturn]] void saveForever(const std::filesystem::path& path, int readyPipe) {
    FileSettingsStore store(path);
    const AppSettings documents[2] = {older(), newer()};
    for (unsigned i = 0;; ++i) {
        if (!store.save(documents[i % 2]).ok()) ::_exit(3);
        if (i == 0 && ::write(readyPipe, "r", 1) != 1) ::_exit(4);
    }
}

}  // namespace

TEST(SettingsCrashTest, AKilledSaveLeavesTheOldOrTheNewDocument) {
    Base::Testing::TemporaryFolder temp;
    const auto path = FileSettingsStore::pathIn(temp.path());
    FileSettingsStore reader(path);
    // Written without the store: a parent that saved would hand its random
    // temporary-file names down to every child it forks.
    Base::Testing::writeBytes(path, SettingsKit::toJson(older()).dump(true));

    std::mt19937 random(20261206);
    std::uniform_int_distribution<long> delayMicroseconds(0, 1500);
    int asOlder = 0;
    int asNewer = 0;
    for (int round = 0; round < 300; ++round) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ends[0]);
            saveForever(path, ends[1]);
        }
        ::close(ends[1]);
        char ready = 0;
        ASSERT_EQ(::read(ends[0], &ready, 1), 1) << "the child could not save";
        ::close(ends[0]);
        const timespec pause{0, delayMicroseconds(random) * 1000};
        ::nanosleep(&pause, nullptr);
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped on its own: " << WEXITSTATUS(status);

        const auto loaded = reader.load();
        ASSERT_TRUE(loaded.has_value()) << "round " << round;
        if (*loaded == older()) {
            ++asOlder;
        } else {
            ASSERT_EQ(*loaded, newer()) << "round " << round;
            ++asNewer;
        }
        ASSERT_FALSE(std::filesystem::exists(reader.quarantinePath()));
    }
    // Both documents were seen, so the kills did land at different moments.
    EXPECT_GT(asOlder, 0);
    EXPECT_GT(asNewer, 0);
}
