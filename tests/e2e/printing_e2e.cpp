// Printing the tape on a real printer: a CUPS queue whose back end writes PDF files
// (set up by the test script, TALLYMAX_PDF_DIR names its output folder). The PDF's
// text and colours are read back with poppler and ImageMagick on the Unix side.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "harness_win.h"
#include "ui/control_ids.h"

namespace {

std::string ToWindowsPath(std::string unixPath) {
    for (char& c : unixPath)
        if (c == '/') c = '\\';
    return "Z:" + unixPath;
}

// Runs a shell command line on the Unix side and waits for it.
void RunUnix(const std::string& commandLine) {
    std::string cmd = "C:\\windows\\system32\\start.exe /wait /unix /bin/sh -c \"" + commandLine + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

std::string FirstPdfIn(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.pdf").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return "";
    FindClose(h);
    return fd.cFileName;
}

TEST(Printing, TapePrintsOnTheDefaultPrinterWithNegativeLinesInRed) {
    const char* pdfDir = getenv("TALLYMAX_PDF_DIR");
    if (!pdfDir || !*pdfDir) GTEST_SKIP() << "no PDF printer queue in this environment";
    std::string unixDir = pdfDir;
    std::string winDir = ToWindowsPath(unixDir);
    RunUnix("rm -f '" + unixDir + "'/*.pdf '" + unixDir + "'/check-*");

    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n");
    ASSERT_TRUE(app.Start());
    app.Press("12.5 - 20 =");
    ASSERT_EQ(app.Display(), "-7.50");

    app.PostMenu(kMenuPrintTape);
    HWND dialog = app.WaitForWindow("#32770", "Print", 10000);
    ASSERT_NE(dialog, nullptr) << "no Print dialog";
    TallymaxApp::PressDialogButton(dialog, IDOK);

    std::string pdf;
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !(pdf = FirstPdfIn(winDir)).empty(); }, 30000))
        << "no PDF in " << unixDir;
    Sleep(500);  // the back end finishes writing the file it has just created

    // Wine's printer driver sets "-" as the hyphen glyph, which comes back from the
    // PDF as a soft hyphen; it is turned back into "-" for the comparison. The last
    // command leaves a marker, since the Unix side runs on its own.
    std::string unixPdf = unixDir + "/" + pdf;
    RunUnix("pdftotext -layout '" + unixPdf + "' - | sed 's/\\xc2\\xad/-/g' > '" + unixDir +
            "/check-text.txt'; pdftoppm -png -r 150 -f 1 -l 1 '" + unixPdf + "' '" + unixDir +
            "/check-page'; /usr/bin/convert '" + unixDir + "/check-page-1.png' -alpha off -fuzz 25% " +
            "-fill white +opaque 'rgb(255,0,0)' -fill black -opaque 'rgb(255,0,0)' -colorspace gray " +
            "-format '%[fx:round((1-mean)*w*h)]' info: > '" + unixDir + "/check-red.txt'; touch '" +
            unixDir + "/check-done'");
    ASSERT_TRUE(TallymaxApp::WaitUntil(
        [&] { return GetFileAttributesA((winDir + "\\check-done").c_str()) != INVALID_FILE_ATTRIBUTES; },
        30000));

    std::string text = ReadFileBytes(winDir + "\\check-text.txt");
    EXPECT_NE(text.find("12.50"), std::string::npos) << text;
    EXPECT_NE(text.find("20.00 -"), std::string::npos) << text;
    EXPECT_NE(text.find("-7.50 ="), std::string::npos) << text;
    // The saved report's closing "** " lines are not printed.
    EXPECT_EQ(text.find("** "), std::string::npos) << text;
    int redPixels = atoi(ReadFileBytes(winDir + "\\check-red.txt").c_str());
    EXPECT_GT(redPixels, 100) << "negative lines should print red";
}

TEST(Printing, CancelledPrintDialogPrintsNothing) {
    const char* pdfDir = getenv("TALLYMAX_PDF_DIR");
    if (!pdfDir || !*pdfDir) GTEST_SKIP() << "no PDF printer queue in this environment";
    std::string winDir = ToWindowsPath(pdfDir);
    RunUnix(std::string("rm -f '") + pdfDir + "'/*.pdf");

    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("1 + 2 =");
    app.PostMenu(kMenuPrintTape);
    HWND dialog = app.WaitForWindow("#32770", "Print", 10000);
    ASSERT_NE(dialog, nullptr);
    TallymaxApp::PressDialogButton(dialog, IDCANCEL);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); }));
    Sleep(1000);
    EXPECT_EQ(FirstPdfIn(winDir), "");
    EXPECT_EQ(app.Display(), "3");
}

}  // namespace
