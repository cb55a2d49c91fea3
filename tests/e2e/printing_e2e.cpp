// Printing the tape on a real printer: a CUPS queue whose back end writes PDF files
// (set up by the test script, TALLYMAX_PDF_DIR names its output folder). The PDF's
// text and colours are read back with poppler and ImageMagick on the Unix side.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "harness_win.h"
#include "ui/control_ids.h"

namespace {

// The printed lines of one ink: the number of bands of page rows that hold it.
// `mask` picks the ink's pixels in ImageMagick terms.
std::string InkBandsCommand(const std::string& png, const std::string& mask,
                            const std::string& out) {
    return "h=$(identify -format %h '" + png + "'); /usr/bin/convert '" + png + "' -alpha off " +
           mask + " -colorspace gray -scale \"1x${h}!\" -depth 16 gray:- | od -An -v -tu2 | " +
           "tr -s ' ' '\\n' | awk 'NF { ink = ($1 != 65535); if (ink && !prev) n++; prev = ink } " +
           "END { print n + 0 }' > '" + out + "'\n";
}

// Trailing blanks cut, as pdftotext pads nothing after a line's last character.
std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

TEST(Printing, TapePrintsOnTheDefaultPrinterWithNegativeLinesInRed) {
    std::string unixDir = EmptiedPdfFolder();
    if (unixDir.empty()) GTEST_SKIP() << "no PDF printer queue in this environment";
    std::string winDir = ToWindowsPath(unixDir);

    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n");
    ASSERT_TRUE(app.Start());
    app.Press("12.5 - 20 =");
    ASSERT_EQ(app.Display(), "-7.50");
    // Blue on the screen, but the printout knows only red and black: "-4.00 M+" prints
    // red, and "Copy (-4.00)" black, as the number read from it is 0.
    app.Press("4 +/- M+");
    app.Menu(kMenuCopy);
    ASSERT_EQ(app.Tape().back(), "Copy (-4.00)");

    app.PostMenu(kMenuPrintTape);
    HWND dialog = app.WaitForWindow("#32770", "Print");
    ASSERT_NE(dialog, nullptr) << "no Print dialog";
    TallymaxApp::PressDialogButton(dialog, IDOK);

    std::string pdf;
    ASSERT_TRUE(WaitForPdf(unixDir, pdf)) << "no PDF in " << unixDir;

    std::string unixPdf = unixDir + "/" + pdf;
    std::string page = unixDir + "/check-page-1.png";
    std::string script = "pdfinfo '" + unixPdf + "' > '" + unixDir + "/check-info.txt'\n" +
                         PdfToTextCommand(unixPdf, unixDir + "/check-text.txt") +
                         "pdftoppm -png -r 150 -f 1 -l 1 '" + unixPdf + "' '" + unixDir +
                         "/check-page'\n" +
                         InkBandsCommand(page,
                                         "-fuzz 25% -fill white +opaque 'rgb(255,0,0)' "
                                         "-fill black -opaque 'rgb(255,0,0)'",
                                         unixDir + "/check-red.txt") +
                         InkBandsCommand(page,
                                         "-fuzz 40% -fill white +opaque black -fill black "
                                         "-opaque black",
                                         unixDir + "/check-black.txt");
    ASSERT_TRUE(RunCheckScript(unixDir, script));

    std::string text = ReadFileBytes(winDir + "\\check-text.txt");
    std::vector<std::string> lines = TextLines(text);
    ASSERT_GE(lines.size(), 10u) << text;
    // The header after 30 blanks, two empty lines, then the tape right-aligned in 30
    // characters. pdftotext starts its columns at the leftmost text, the rule line 4
    // blanks in, so every line comes back 4 columns further left.
    const size_t shift = 30 - 26;
    EXPECT_EQ(lines[0].find("Tape Report ("), 30 - shift) << text;
    EXPECT_EQ(lines[1], "") << text;
    EXPECT_EQ(lines[2], "") << text;
    const char* tape[] = {"12.50  ",  "20.00 -",     "--------------------------", "-7.50 =", "",
                          "-4.00 M+", "Copy (-4.00)"};
    for (size_t i = 0; i < std::size(tape); ++i) {
        std::string expected = std::string(30 - strlen(tape[i]) - shift, ' ') + tape[i];
        while (!expected.empty() && expected.back() == ' ') expected.pop_back();
        EXPECT_EQ(lines[3 + i], expected) << "tape line " << i << " in\n" << text;
    }
    // The saved report's closing "** " lines are not printed.
    EXPECT_EQ(text.find("** "), std::string::npos) << text;
    std::string info = ReadFileBytes(winDir + "\\check-info.txt");
    size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << info;
    EXPECT_EQ(atoi(info.c_str() + pages + 6), 1) << "one page eject";
    // Red: "20.00 -", "-7.50 =" and "-4.00 M+"; black: the header, "12.50", the rule
    // and the Copy line.
    EXPECT_EQ(atoi(ReadFileBytes(winDir + "\\check-red.txt").c_str()), 3) << "lines printed red";
    EXPECT_EQ(atoi(ReadFileBytes(winDir + "\\check-black.txt").c_str()), 4)
        << "lines printed black";
}

TEST(Printing, CancelledPrintDialogPrintsNothing) {
    std::string unixDir = EmptiedPdfFolder();
    if (unixDir.empty()) GTEST_SKIP() << "no PDF printer queue in this environment";
    std::string winDir = ToWindowsPath(unixDir);

    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("1 + 2 =");
    const int jobs = PrintJobsEver();
    app.PostMenu(kMenuPrintTape);
    HWND dialog = app.WaitForWindow("#32770", "Print");
    ASSERT_NE(dialog, nullptr);
    TallymaxApp::PressDialogButton(dialog, IDCANCEL);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); }));
    // A print hands its job to the queue before the program is idle again.
    app.Settle();
    EXPECT_EQ(PrintJobsEver(), jobs) << "a job reached the queue";
    EXPECT_EQ(FirstPdfIn(winDir), "");
    EXPECT_EQ(app.Display(), "3");
}

TEST(Printing, AnAlwaysOnTopWindowLetsThePrintDialogAboveItAndStaysOnTop) {
    const char* pdfDir = getenv("TALLYMAX_PDF_DIR");
    if (!pdfDir || !*pdfDir) GTEST_SKIP() << "no PDF printer queue in this environment";
    auto topmost = [](HWND h) { return (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };

    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nTopMost=1\r\n");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(topmost(app.Main()));
    app.PostMenu(kMenuPrintTape);
    HWND dialog = app.WaitForWindow("#32770", "Print");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(topmost(app.Main())) << "the main window left the topmost band for the dialog";
    TallymaxApp::PressDialogButton(dialog, IDCANCEL);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return topmost(app.Main()); }));
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "TopMost"), "1");
}

}  // namespace
