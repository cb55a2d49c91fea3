// The tape kept between sessions in "Tallymax.tape" beside the settings file: it
// survives a kill, a confirmed Clear Tape empties it, the View menu item turns it off,
// and a journal that cannot be written is told once while the tape goes on working.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "harness_win.h"
#include "ui/control_ids.h"

namespace {

std::string JournalOf(const TallymaxApp& app) {
    return app.Folder() + "Tallymax.tape";
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The journal's text for these tape lines.
std::string Records(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// The journal's tape lines as records, without the records that keep the state of the
// open calculation (they begin with a zero byte).
std::string LineRecordsOf(const TallymaxApp& app) {
    std::string bytes = ReadFileBytes(JournalOf(app)), lines;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find('\n', at);
        end = end == std::string::npos ? bytes.size() : end + 1;
        if (bytes[at] != '\0') lines += bytes.substr(at, end - at);
        at = end;
    }
    return lines;
}

bool HasLine(const std::vector<std::string>& tape, const std::string& line) {
    for (const std::string& l : tape)
        if (l == line) return true;
    return false;
}

// File > Load Tape of `path`, waiting until the lines are in.
bool LoadTapeFile(TallymaxApp& app, const std::string& path) {
    app.PostMenu(kMenuLoadTape);
    HWND dialog = app.WaitForWindow("#32770", "Open Tape File");
    if (!dialog) return false;
    SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    if (!TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); })) return false;
    app.Settle();
    return true;
}

const char kToldHead[] = "The tape cannot be kept between sessions: ";
const char kToldTail[] = ". The tape itself works as before.";

// Waits for the one message about the journal and closes it; its text, or "".
std::string TakeJournalMessage(TallymaxApp& app) {
    HWND box = app.WaitForWindow("#32770", "Tape");
    if (!box) return "";
    std::string text = TallymaxApp::MessageBoxText(box);
    TallymaxApp::PressDialogButton(box, IDOK);
    TallymaxApp::WaitUntil([&] { return !IsWindow(box); });
    app.Settle();
    return text;
}

TEST(TapeJournal, AKillInTheMiddleOfAColumnKeepsTheTape) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("12.5 + 7 + 3 =");
    for (int i = 1; i <= 30; ++i) app.Press(std::to_string(i) + " +");
    std::vector<std::string> tape = app.Tape();
    ASSERT_EQ(tape.size(), 36u);
    app.Kill();

    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Tape(), tape) << "restored as it was, nothing added";
    HWND list = app.Control(kIdTape);
    EXPECT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0) << "scrolled to the newest line";
    // The column goes on, and its next lines survive the next kill too.
    app.Press("31 =");
    tape = app.Tape();
    EXPECT_EQ(tape.back(), "");
    EXPECT_EQ(LineRecordsOf(app), Records(tape));
    app.Kill();
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Tape(), tape);
}

TEST(TapeJournal, LoadedLinesAreKeptAndAConfirmedClearTapeEmptiesIt) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("8 + 9 =");
    std::string file = app.Folder() + "old tape.txt";
    WriteFileBytes(file, "header\r\n\r\n\r\n11.00 +\r\n22.00 +\r\n** 33\r\n");
    ASSERT_TRUE(LoadTapeFile(app, file));
    std::vector<std::string> tape = app.Tape();
    ASSERT_TRUE(HasLine(tape, "22.00 +"));
    ASSERT_TRUE(app.Close());
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Tape(), tape);

    // Answered No, the tape stays for the next start; answered Yes, it is gone.
    for (int answer : {IDNO, IDYES}) {
        app.PostClick(kIdCT);
        HWND box = app.WaitForWindow("#32770", "Calculator");
        ASSERT_NE(box, nullptr);
        TallymaxApp::PressDialogButton(box, answer);
        ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(box); }));
        app.Settle();
    }
    EXPECT_TRUE(app.Tape().empty());
    EXPECT_EQ(ReadFileBytes(JournalOf(app)), "");
    ASSERT_TRUE(app.Close());
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(app.Tape().empty());
}

TEST(TapeJournal, TheMenuItemTurnsItOffAndOnAgain) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("5 + 6 =");
    EXPECT_TRUE(Exists(JournalOf(app)));
    EXPECT_EQ(app.Ini().find("[Tape]"), std::string::npos) << "nothing stored while untouched";

    app.Menu(kMenuKeepTape);
    EXPECT_FALSE(Exists(JournalOf(app))) << "turned off, the journal is deleted";
    EXPECT_EQ(IniValue(app.Ini(), "Tape", "KeepTape"), "0");
    app.Press("1 +");
    EXPECT_FALSE(Exists(JournalOf(app)));
    ASSERT_TRUE(app.Close());
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(app.Tape().empty()) << "nothing restored";

    // On again: the journal starts with the tape as it stands.
    app.Press("2 + 3 +");
    app.Menu(kMenuKeepTape);
    EXPECT_EQ(IniValue(app.Ini(), "Tape", "KeepTape"), "1");
    app.Press("4 =");
    std::vector<std::string> tape = app.Tape();
    EXPECT_EQ(LineRecordsOf(app), Records(tape));
    app.Kill();
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Tape(), tape);
}

TEST(TapeJournal, AHundredThousandLinesComeBackAtStartUp) {
    TallymaxApp app;
    std::vector<std::string> lines;
    for (int i = 0; i < 100000; ++i) lines.push_back(std::to_string(i) + ".00 +");
    // A torn last record, as a kill in the middle of a write leaves it.
    WriteFileBytes(JournalOf(app), Records(lines) + "100000.0");
    auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(app.Start());
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("start-up with a 100,000-line journal: %.2f s\n", seconds);
    HWND list = app.Control(kIdTape);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 100000);
    EXPECT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 99900);
    EXPECT_EQ(LineRecordsOf(app), Records(lines)) << "the torn record is dropped";
    app.Press("7 +");
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 100001);
    EXPECT_EQ(LineRecordsOf(app), Records(lines) + "7  \n");

    // Closed, it holds the newest 100,000 lines again.
    ASSERT_TRUE(app.Close());
    lines.erase(lines.begin());
    EXPECT_EQ(LineRecordsOf(app), Records(lines) + "7  \n");
}

// The journal's place taken by a folder, and (with mounting allowed) the settings file's
// folder read-only: one message, and the tape works on without the journal.
TEST(TapeJournal, AJournalThatCannotBeWrittenIsToldOnce) {
    for (bool readOnlyFolder : {false, true}) {
        SCOPED_TRACE(readOnlyFolder ? "read-only folder" : "folder in the journal's place");
        TallymaxApp app;
        app.WriteIni("[Main Settings]\r\nTaxRate=0\r\n");
        std::optional<Mount> mount;
        if (readOnlyFolder) mount.emplace(Mount::ReadOnly(app.Folder()));
        if (readOnlyFolder && !mount->Mounted()) {
            std::printf("read-only folder not tried: mounting is not allowed here\n");
            continue;
        }
        if (!readOnlyFolder) ASSERT_TRUE(CreateDirectoryA(JournalOf(app).c_str(), nullptr));
        ASSERT_TRUE(app.Start());
        app.Press("1 + 2 =");
        std::string told = TakeJournalMessage(app);
        std::string head = kToldHead + JournalOf(app) + " cannot be written (";
        EXPECT_EQ(told.substr(0, head.size()), head) << told;
        EXPECT_GE(told.size(), sizeof kToldTail);
        EXPECT_EQ(told.substr(told.size() - (sizeof kToldTail - 1)), kToldTail) << told;

        app.Press("3 + 4 =");
        app.Settle();
        EXPECT_EQ(OtherDialog(app, nullptr), nullptr) << "told once";
        std::vector<std::string> tape = app.Tape();
        EXPECT_TRUE(HasLine(tape, "3 =") && HasLine(tape, "7 =")) << tape.size();
        EXPECT_EQ(app.Display(), "7");
        EXPECT_TRUE(app.Close());
    }
}

TEST(TapeJournal, ASecondCopyInTheSameFolderKeepsNoTapeAndSaysSo) {
    TallymaxApp first;
    ASSERT_TRUE(first.Start());
    first.Press("1 + 2 =");
    const std::vector<std::string> kept = first.Tape();

    TallymaxApp second(TallymaxApp::SameFolderAs{first});
    ASSERT_TRUE(second.Start());
    const std::string told = TakeJournalMessage(second);
    EXPECT_EQ(told.rfind("Another Tallymax window keeps the tape of this folder", 0), 0u) << told;
    EXPECT_TRUE(second.Tape().empty()) << "the first window's lines are its own";
    second.Press("7 +");
    first.Press("4 +");
    second.Press("8 +");
    EXPECT_EQ(LineRecordsOf(first), Records(kept) + "4  \n")
        << "only the first window writes the journal";
    EXPECT_EQ(second.WaitForWindow("#32770", "Tape", 300), nullptr) << "told once";

    // Closed, the second leaves the journal alone; the next start shows the first's tape.
    ASSERT_TRUE(second.Close());
    std::vector<std::string> firstTape = first.Tape();
    ASSERT_TRUE(first.Close());
    TallymaxApp third(TallymaxApp::SameFolderAs{first});
    ASSERT_TRUE(third.Start());
    EXPECT_EQ(third.Tape(), firstTape);
    EXPECT_EQ(third.WaitForWindow("#32770", "Tape", 300), nullptr) << "the owner has gone";
}

}  // namespace
