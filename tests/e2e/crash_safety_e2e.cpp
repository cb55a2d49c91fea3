// The program killed in the middle of its settings writes, many times over: the
// settings file is always the old or the new version, never cut or mixed.
#include <gtest/gtest.h>

#include <random>

#include "first_start_ini.h"
#include "harness_win.h"
#include "ui/control_ids.h"

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

}  // namespace

TEST(CrashSafety, AKilledSettingsWriteLeavesTheOldOrTheNewFile) {
    // A long comment makes each write of the file take a while.
    std::string padding;
    for (int i = 0; i < 20000; ++i)
        padding += "; notes kept by the user, line " + std::to_string(i) + "\r\n";
    const std::string shown = padding + kFirstStartIni;
    const std::string hidden = Replaced(shown, "ShowTape=1", "ShowTape=0");
    std::mt19937 random(1209);
    for (int round = 0; round < 8; ++round) {
        TallymaxApp app;
        app.WriteIni(shown);
        ASSERT_TRUE(app.Start()) << "round " << round;
        ASSERT_EQ(app.Ini(), shown) << "start-up keeps the file as it is";
        for (int i = 0; i < 40; ++i) app.PostMenu(kMenuShowTape);
        Sleep(random() % 400);
        app.Kill();
        std::string ini = app.Ini();
        EXPECT_TRUE(ini == shown || ini == hidden)
            << "round " << round << ": " << ini.size() << " bytes, not a whole version";
    }
}
