// What a printed report is written to: a page that takes text in one of several fonts,
// line by line. Report layouts are portable functions over this interface; the
// platform's printer and the tests' recorder implement it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A printer font by face, size in points and style.
struct ReportFont {
    std::string face;
    int points = 10;
    bool bold = false;
    bool italic = false;
};

class ReportPrinter {
  public:
    virtual ~ReportPrinter() = default;

    // Chooses one of the fonts the print job was started with (by its index).
    virtual void SelectFont(int font) = 0;
    // The colour of the text that follows: red + 256 × green + 65536 × blue.
    virtual void SetInk(uint32_t colour) = 0;
    // Prints `text` at the current position; the line goes on after it.
    virtual void Print(const std::string& text) = 0;
    // Goes to the start of the next line, one line of the current font lower.
    virtual void EndLine() = 0;
    // Whether one more line of the current font fits on the page below the current
    // position (always on an empty page).
    virtual bool LineFits() const = 0;
    // The printable height divided by the current font's line height, rounded down.
    virtual int LinesPerPage() const = 0;
    // How many more lines of the current font fit on the page below the current
    // position, for layouts that count lines by allowances and must still keep a foot
    // on the page. A printer that cannot tell says only whether one more fits.
    virtual int LinesLeft() const { return LineFits() ? 1 : 0; }
    // Ends the page and starts the next one at its top.
    virtual void NewPage() = 0;
    // A page or the job failed; later calls do nothing.
    virtual bool Failed() const = 0;
};
