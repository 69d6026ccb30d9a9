#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <random>

#include "SettingsKit/FileSettingsStore.h"
#include "Base/testing/TemporaryFolder.h"

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
    settings.activeProfileName = "Asia";
    settings.greeting = {false, "Bună dimineața", "Ana"};
    for (int i = 0; i < 16; ++i) settings.displays.choices["display-" + std::to_string(100 + i)] = i % 3 == 0;
    return settings;
}

[[noreturn]] void saveForever(const std::filesystem::path& path, int writeSignal) {
    FileSettingsStore store(path);
    const AppSettings documents[2] = {older(), newer()};
    bool announced = false;
    for (unsigned i = 0;; ++i) {
        if (!store.save(documents[i % 2]).ok()) ::_exit(3);
        if (!announced) {
            // Let the parent know the saving has begun, then keep going until killed.
            const char ready = 'r';
            if (::write(writeSignal, &ready, 1) != 1) ::_exit(4);
            announced = true;
        }
    }
}

void sleepMicroseconds(long micros) {
    timespec pause{0, micros * 1000};
    ::nanosleep(&pause, nullptr);
}

}  // namespace

// A child saves the two documents in turn until it is killed at a random
// moment; whenever that is, the file must read as one of them.
TEST(SettingsCrashTest, AKilledSaveLeavesTheOldOrTheNewDocument) {
    Base::Testing::TemporaryFolder temp;
    const auto path = FileSettingsStore::pathIn(temp.path());
    FileSettingsStore reader(path);
    // Written without the store: a parent that saved would hand its random
    // temporary-file names down to every child it forks.
    Base::Testing::writeBytes(path, SettingsKit::toJson(older()).dump(true));

    std::mt19937 random(20261206);
    std::uniform_int_distribution<long> delay(0, 1500);
    constexpr int kills = 300;
    int asOlder = 0;
    int asNewer = 0;
    for (int round = 0; round < kills; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            saveForever(path, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);
        char ready = 0;
        ASSERT_EQ(::read(pipeEnds[0], &ready, 1), 1) << "the child could not save";
        ::close(pipeEnds[0]);
        sleepMicroseconds(delay(random));
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
