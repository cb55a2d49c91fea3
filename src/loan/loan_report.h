// The printed loan report: the loan analysis and the whole amortization schedule in
// fixed character columns, with a page number at the foot of each page.
#pragma once

#include <string>
#include <vector>

#include "loan/loan_compute.h"
#include "tape/tape_report.h"
#include "ui/report_printer.h"

enum LoanReportFont { kLoanTitleFont, kLoanStampFont, kLoanLabelFont, kLoanBodyFont };

// Courier New throughout, as the columns line up only in a fixed-pitch face.
std::vector<ReportFont> LoanReportFonts();

// "(Printed by Tallymax on MM-dd-yyyy At HH:mm:ss)".
std::string LoanReportStamp(const ReportClock& clock);

// One schedule line: "#" right-aligned in 3 characters, the date, four money cells
// padded to 16 characters (a longer one pushes the rest right) and the balance.
std::string LoanReportRow(const ScheduleRow& row, int number);

// Writes the whole report. The row count per page follows fixed allowances for the
// headings, as the layout has always done; a foot never starts lower than one line
// above the bottom of the printable area, whatever the fonts' real heights.
void PrintLoanReportLayout(const LoanSheet& sheet, const std::vector<ScheduleRow>& rows,
                           const ReportClock& clock, ReportPrinter& printer);
