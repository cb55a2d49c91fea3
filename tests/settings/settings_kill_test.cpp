// A settings write killed at any moment leaves the old file or the new one, never a
// cut or mixed one. Natively only: the child that writes is killed with SIGKILL.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>
#include <string>

#include "settings/settings_file.h"
#include "test_support.h"

namespace {

// Every value the writer ever stores makes the file this text.
std::string FileWith(const std::string& filler, long counter) {
    return "[Main Settings]\r\nFiller=" + filler + "\r\nCounter=" + std::to_string(counter) +
           "\r\n[Memory]\r\nM1=5\r\n";
}

}  // namespace

TEST(SettingsKill, AKilledWriteLeavesTheOldOrTheNewFile) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    const std::string filler(200000, 'x');  // big enough that a write takes a while
    WriteWholeFile(path, FileWith(filler, 0));
    std::mt19937 random(20261209);
    std::set<long> seen;
    for (int round = 0; round < 40; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (long i = 1;; ++i)
                WriteSetting(path, "Main Settings", "Counter", std::to_string(i));
        }
        // Half the kills come only once a write has landed, the others at any moment,
        // so that both the first write and the ones after it are cut short.
        if (round % 2 == 1) {
            for (int wait = 0; wait < 10000; ++wait) {
                if (ReadSetting(path, "Main Settings", "Counter", "0") != "0") break;
                usleep(1000);
            }
        }
        usleep(random() % 5000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        std::string text = ReadWholeFile(path);
        std::string counter = ReadSetting(path, "Main Settings", "Counter", "?");
        ASSERT_EQ(text, FileWith(filler, std::stol(counter))) << "after kill " << round;
        seen.insert(std::stol(counter));
        // Back to a known start so that every child writes over a whole file.
        WriteWholeFile(path, FileWith(filler, 0));
    }
    EXPECT_GT(seen.size(), 1u) << "the kills should land after some writes";
}

#endif
