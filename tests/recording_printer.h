// A ReportPrinter that records what a report layout writes: each printed piece with
// its font and ink, line ends and pages, on pages of a fixed number of lines.
#pragma once

#include <string>
#include <vector>

#include "ui/report_printer.h"

class RecordingPrinter : public ReportPrinter {
  public:
    struct Piece {
        int font;
        uint32_t ink;
        std::string text;
    };
    using Line = std::vector<Piece>;
    using Page = std::vector<Line>;

    explicit RecordingPrinter(int linesPerPage = 60) : linesPerPage_(linesPerPage) {
        pages.emplace_back(1);
    }

    void SelectFont(int font) override { font_ = font; }
    void SetInk(uint32_t colour) override { ink_ = colour; }
    void Print(const std::string& text) override {
        pages.back().back().push_back(Piece{font_, ink_, text});
    }
    void EndLine() override { pages.back().emplace_back(); }
    bool LineFits() const override { return Used() < linesPerPage_; }
    int LinesPerPage() const override { return linesPerPage_; }
    void NewPage() override { pages.emplace_back(1); }
    bool Failed() const override { return false; }

    // The text of a line, its pieces joined.
    static std::string TextOf(const Line& line) {
        std::string text;
        for (const Piece& p : line) text += p.text;
        return text;
    }
    // Every page's lines as text; the unfinished last line is left out when empty.
    std::vector<std::vector<std::string>> PageTexts() const {
        std::vector<std::vector<std::string>> out;
        for (const Page& page : pages) {
            out.emplace_back();
            for (const Line& line : page) out.back().push_back(TextOf(line));
            if (!out.back().empty() && page.back().empty()) out.back().pop_back();
        }
        return out;
    }

    std::vector<Page> pages;

  private:
    int Used() const { return static_cast<int>(pages.back().size()) - 1; }

    int linesPerPage_;
    int font_ = 0;
    uint32_t ink_ = 0;
};
