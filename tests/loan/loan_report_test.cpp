#include "loan/loan_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A page of `height` units; each font's line is as high as the test says. Records every
// line with the font of its first piece and where it started.
class RecordingPrinter : public ReportPrinter {
  public:
    struct Line {
        std::string text;
        int font = -1;
        int page = 1;
        int top = 0;
    };
    RecordingPrinter(int height, std::vector<int> lineHeights)
        : height_(height), heights_(std::move(lineHeights)) {}

    void SelectFont(int font) override { font_ = font; }
    void SetInk(uint32_t) override {}
    void Print(const std::string& text) override {
        if (!open_) {
            current_ = Line{"", font_, pages_, y_};
            open_ = true;
        }
        current_.text += text;
    }
    void EndLine() override {
        if (!open_) current_ = Line{"", font_, pages_, y_};
        lines.push_back(current_);
        open_ = false;
        y_ += heights_[static_cast<size_t>(font_)];
    }
    bool LineFits() const override { return y_ == 0 || y_ + heights_[font_] <= height_; }
    int LinesPerPage() const override { return height_ / heights_[static_cast<size_t>(font_)]; }
    int LinesLeft() const override { return (height_ - y_) / heights_[static_cast<size_t>(font_)]; }
    void NewPage() override {
        ++pages_;
        y_ = 0;
    }
    bool Failed() const override { return false; }

    std::vector<Line> lines;
    int Pages() const { return pages_; }
    int Height() const { return height_; }
    int BodyHeight() const { return heights_[kLoanBodyFont]; }

  private:
    int height_;
    std::vector<int> heights_;
    int font_ = 0;
    int pages_ = 1;
    int y_ = 0;
    Line current_;
    bool open_ = false;
};

const ReportClock kClock{2026, 3, 4, 9, 5, 7};

LoanSheet WorkedSheet() {
    return LoanSheet{
        "House",   "$100,000.00",
        "8.25%",   "30",
        "Monthly", {"$751.27", "360", "$9,015.20", "$100,000.00", "$170,455.98", "$270,455.98"}};
}

std::vector<ScheduleRow> WorkedRows() {
    return CalculateLoan(LoanInputs{"$100,000.00", "8.25%", "30", 12, "01-15-2025"}).rows;
}

std::vector<RecordingPrinter::Line> Feet(const RecordingPrinter& p) {
    std::vector<RecordingPrinter::Line> feet;
    for (const auto& l : p.lines)
        if (l.text.rfind(std::string(44, ' ') + "Page ", 0) == 0) feet.push_back(l);
    return feet;
}

TEST(LoanReport, FirstPageHeadingAsLaidOut) {
    RecordingPrinter p(1200, {20, 9, 12, 12});
    PrintLoanReportLayout(WorkedSheet(), WorkedRows(), kClock, p);
    const struct {
        const char* text;
        int font;
    } expected[] = {
        {"Loan Analysis...", kLoanTitleFont},
        {"(Printed by Tallymax on 03-04-2026 At 09:05:07)", kLoanStampFont},
        {"", kLoanStampFont},
        {"", kLoanStampFont},
        {"Loan Name: House", kLoanLabelFont},
        {"Amount Financed: $100,000.00", kLoanLabelFont},
        {"Annual Interest: 8.25%", kLoanLabelFont},
        {"Duration in Years: 30", kLoanLabelFont},
        {"Compounded: Monthly", kLoanLabelFont},
        {"", kLoanBodyFont},
        {"Monthly Payments: $751.27", kLoanLabelFont},
        {"Total # Payments: 360", kLoanLabelFont},
        {"Yearly Principal + Interest: $9,015.20", kLoanLabelFont},
        {"", kLoanBodyFont},
        {"Principal Amount: $100,000.00", kLoanLabelFont},
        {"Finance Charges: $170,455.98", kLoanLabelFont},
        {"Total Cost: $270,455.98", kLoanLabelFont},
        {"", kLoanBodyFont},
        {"", kLoanBodyFont},
        {"", kLoanBodyFont},
        {"                Amortization Schedule", kLoanTitleFont},
        {"", kLoanTitleFont},
        {"                                                  Total          Total", kLoanLabelFont},
        {" #    Date      Principal       Interest        Principal       Interest        Balance"
         "      ",
         kLoanLabelFont},
        {"---   -------   -------------   -------------   -------------   -------------   "
         "-------------",
         kLoanLabelFont},
        {"  1   01/2025   $63.77          $687.50         $63.77          $687.50         "
         "$99,936.23",
         kLoanBodyFont},
    };
    ASSERT_GT(p.lines.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(p.lines[i].text, expected[i].text) << "line " << i;
        EXPECT_EQ(p.lines[i].font, expected[i].font) << "line " << i;
    }
    EXPECT_EQ(p.lines[24].text.size(), 93u);
    EXPECT_EQ(p.lines[23].text.size(), 93u);
}

TEST(LoanReport, PagesHoldTheirAllowanceOfRows) {
    // L = 60: page 1 holds 30 rows, the others 50 each; 360 rows make 7 full pages and
    // 30 rows on page 8.
    RecordingPrinter p(720, {20, 9, 12, 12});
    std::vector<ScheduleRow> rows = WorkedRows();
    PrintLoanReportLayout(WorkedSheet(), rows, kClock, p);
    EXPECT_EQ(p.Pages(), 8);
    std::vector<RecordingPrinter::Line> feet = Feet(p);
    ASSERT_EQ(feet.size(), 8u);
    for (int page = 1; page <= 8; ++page) {
        EXPECT_EQ(feet[page - 1].text, std::string(44, ' ') + "Page " + std::to_string(page));
        EXPECT_EQ(feet[page - 1].page, page);
        EXPECT_LE(feet[page - 1].top, p.Height() - p.BodyHeight()) << "page " << page;
    }
    std::vector<int> rowsOnPage(9, 0);
    int continued = 0;
    std::string lastRow;
    for (size_t i = 0; i < p.lines.size(); ++i) {
        const auto& l = p.lines[i];
        if (l.text.size() > 5 && l.text[3] == ' ' && l.text.find('/') == 8) {
            ++rowsOnPage[static_cast<size_t>(l.page)];
            lastRow = l.text;
        }
        if (l.text == std::string(53, ' ') + "(Continued)") {
            ++continued;
            EXPECT_EQ(p.lines[i - 1].text, "                Amortization Schedule");
            EXPECT_EQ(p.lines[i - 1].top, 0);
            EXPECT_EQ(l.font, kLoanStampFont);
            EXPECT_EQ(p.lines[i + 1].text, "");
            EXPECT_EQ(p.lines[i + 2].text.find("Total"), 50u);
        }
    }
    EXPECT_EQ(continued, 7);
    EXPECT_EQ(rowsOnPage[1], 30);
    for (int page = 2; page <= 7; ++page) EXPECT_EQ(rowsOnPage[page], 50) << "page " << page;
    EXPECT_EQ(rowsOnPage[8], 30);
    EXPECT_EQ(
        lastRow,
        "360   12/2054   $740.74         $5.09           $100,000.00     $170,451.76     $0.00");
}

TEST(LoanReport, LastFootStaysOnThePage) {
    // Page 2 on takes 16 real lines of headings against an allowance of 10: the foot
    // that the counter puts at line L + 2 would start below the page. It stops one body
    // line above the bottom, after as many empty lines as fit.
    RecordingPrinter tall(720, {60, 30, 12, 12});
    std::vector<ScheduleRow> rows = WorkedRows();
    rows.resize(40);
    PrintLoanReportLayout(WorkedSheet(), rows, kClock, tall);
    std::vector<RecordingPrinter::Line> feet = Feet(tall);
    ASSERT_EQ(feet.size(), 2u);
    EXPECT_EQ(feet[1].page, 2);
    EXPECT_EQ(feet[1].top, tall.Height() - tall.BodyHeight());
    // With room to spare the foot is where the counter puts it: the (L + 3)-th body
    // line after the allowance.
    RecordingPrinter roomy(720, {12, 12, 12, 12});
    PrintLoanReportLayout(WorkedSheet(), rows, kClock, roomy);
    feet = Feet(roomy);
    ASSERT_EQ(feet.size(), 2u);
    const auto& last = roomy.lines.back();
    EXPECT_EQ(last.text, feet[1].text);
    size_t blanksBefore = 0;
    for (size_t i = roomy.lines.size() - 2; roomy.lines[i].text.empty(); --i) ++blanksBefore;
    EXPECT_EQ(blanksBefore, static_cast<size_t>(60 + 3 - 20));  // 10 rows on page 2
}

TEST(LoanReport, EmptyScheduleGetsHeadingsAndOneFoot) {
    RecordingPrinter p(720, {20, 9, 12, 12});
    PrintLoanReportLayout(LoanSheet{}, {}, kClock, p);
    EXPECT_EQ(p.Pages(), 1);
    std::vector<RecordingPrinter::Line> feet = Feet(p);
    ASSERT_EQ(feet.size(), 1u);
    EXPECT_EQ(p.lines.back().text, std::string(44, ' ') + "Page 1");
    EXPECT_EQ(p.lines[4].text, "Loan Name: ");
    // Counter 31 after the missing rows: L + 3 - 31 = 32 empty lines before the foot.
    size_t blanks = 0;
    for (size_t i = p.lines.size() - 2; p.lines[i].text.empty(); --i) ++blanks;
    EXPECT_EQ(blanks, 32u);
}

TEST(LoanReport, RowCellsArePaddedNotCut) {
    ScheduleRow row;
    row.month = 3;
    row.year = 2024;
    row.principal = 123456789012.5;
    row.interest = 1;
    row.totalPrincipal = 2;
    row.totalInterest = 3;
    row.balance = 4;
    EXPECT_EQ(LoanReportRow(row, 1234),
              "1234   03/2024   $123,456,789,012.50$1.00           $2.00           $3.00           "
              "$4.00");
    EXPECT_EQ(LoanReportFonts().size(), 4u);
    for (const ReportFont& f : LoanReportFonts()) EXPECT_EQ(f.face, "Courier New");
    EXPECT_EQ(LoanReportFonts()[kLoanTitleFont].points, 18);
    EXPECT_TRUE(LoanReportFonts()[kLoanTitleFont].bold);
    EXPECT_EQ(LoanReportFonts()[kLoanStampFont].points, 8);
    EXPECT_TRUE(LoanReportFonts()[kLoanStampFont].italic);
    EXPECT_TRUE(LoanReportFonts()[kLoanLabelFont].bold);
    EXPECT_FALSE(LoanReportFonts()[kLoanBodyFont].bold);
}

}  // namespace
