#include "loan/loan_report.h"

#include <cstdio>

namespace {

constexpr int kFirstPageAllowance = 30;
constexpr int kNextPageAllowance = 10;

const char* const kScheduleTitle = "                Amortization Schedule";
const char* const kColumnHeadings[] = {
    "                                                  Total          Total",
    " #    Date      Principal       Interest        Principal       Interest        Balance      ",
    "---   -------   -------------   -------------   -------------   -------------   -------------",
};

std::string PaddedTo(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

void Line(ReportPrinter& p, int font, const std::string& text) {
    p.SelectFont(font);
    p.Print(text);
    p.EndLine();
}

void Labelled(ReportPrinter& p, const char* label, const std::string& value) {
    p.SelectFont(kLoanLabelFont);
    p.Print(label);
    p.SelectFont(kLoanBodyFont);
    p.Print(value);
    p.EndLine();
}

void ScheduleHeadings(ReportPrinter& p) {
    for (const char* heading : kColumnHeadings) Line(p, kLoanLabelFont, heading);
}

// `blanks` empty lines and the page number, in the body font; the blank lines are cut
// short rather than push the page number off the page.
void PageFoot(ReportPrinter& p, int blanks, int page) {
    p.SelectFont(kLoanBodyFont);
    for (int i = 0; i < blanks && p.LinesLeft() >= 2; ++i) p.EndLine();
    p.Print(std::string(44, ' ') + "Page " + std::to_string(page));
    p.EndLine();
}

}  // namespace

std::vector<ReportFont> LoanReportFonts() {
    return {
        ReportFont{"Courier New", 18, true, false},
        ReportFont{"Courier New", 8, false, true},
        ReportFont{"Courier New", 10, true, false},
        ReportFont{"Courier New", 10, false, false},
    };
}

std::string LoanReportStamp(const ReportClock& c) {
    char text[80];
    std::snprintf(text, sizeof text, "(Printed by Tallymax on %02d-%02d-%04d At %02d:%02d:%02d)",
                  c.month, c.day, c.year, c.hour, c.minute, c.second);
    return text;
}

std::string LoanReportRow(const ScheduleRow& row, int number) {
    std::string count = ScheduleCellText(row, number, 0);
    std::string line = count.size() < 3 ? std::string(3 - count.size(), ' ') + count : count;
    line += "   " + ScheduleCellText(row, number, 1) + "   ";
    for (int column = 2; column <= 5; ++column)
        line += PaddedTo(ScheduleCellText(row, number, column), 16);
    return line + ScheduleCellText(row, number, 6);
}

void PrintLoanReportLayout(const LoanSheet& s, const std::vector<ScheduleRow>& rows,
                           const ReportClock& clock, ReportPrinter& p) {
    Line(p, kLoanTitleFont, "Loan Analysis...");
    Line(p, kLoanStampFont, LoanReportStamp(clock));
    p.EndLine();
    p.EndLine();
    Labelled(p, "Loan Name: ", s.name);
    Labelled(p, "Amount Financed: ", s.amount);
    Labelled(p, "Annual Interest: ", s.interest);
    Labelled(p, "Duration in Years: ", s.years);
    Labelled(p, "Compounded: ", s.compounding);
    p.EndLine();
    Labelled(p, "Monthly Payments: ", s.results.payment);
    Labelled(p, "Total # Payments: ", s.results.count);
    Labelled(p, "Yearly Principal + Interest: ", s.results.yearly);
    p.EndLine();
    Labelled(p, "Principal Amount: ", s.results.principal);
    Labelled(p, "Finance Charges: ", s.results.charges);
    Labelled(p, "Total Cost: ", s.results.cost);
    for (int i = 0; i < 3; ++i) p.EndLine();
    Line(p, kLoanTitleFont, kScheduleTitle);
    p.EndLine();
    ScheduleHeadings(p);

    p.SelectFont(kLoanBodyFont);
    const int perPage = p.LinesPerPage();
    int counter = kFirstPageAllowance;
    int page = 1;
    if (rows.empty()) ++counter;
    for (size_t k = 0; k < rows.size() && !p.Failed(); ++k) {
        Line(p, kLoanBodyFont, LoanReportRow(rows[k], static_cast<int>(k + 1)));
        ++counter;
        if (counter < perPage) continue;
        PageFoot(p, 2, page);
        p.NewPage();
        ++page;
        Line(p, kLoanTitleFont, kScheduleTitle);
        Line(p, kLoanStampFont, std::string(53, ' ') + "(Continued)");
        p.EndLine();
        ScheduleHeadings(p);
        p.SelectFont(kLoanBodyFont);
        counter = kNextPageAllowance;
    }
    PageFoot(p, perPage + 3 - counter, page);
}
