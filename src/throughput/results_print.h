// The printed throughput results: a fixed-pitch page laid out in columns of blanks.
#pragma once

#include <string>
#include <vector>

#include "tape/tape_report.h"
#include "throughput/result_fields.h"
#include "ui/report_printer.h"

// What the printout shows: the texts of the window's fields as they stand.
struct ResultsSheet {
    std::string computerName, ipAddress, target;
    bool server = false;  // the target is a QVL Server, not a folder
    ResultTexts writing, reading;
};

std::vector<ReportFont> ResultsPrintFonts();  // "Courier New" 12

// 20 blanks + "Quorvel Results (MM-DD-YYYY at HH:MM:SS)".
std::string ResultsHeader(const ReportClock& clock);

// label + 5 blanks + writing value, padded to 18, + reading value; a writing value of
// 18 characters or more keeps one blank before the reading value.
std::string ResultsRow(const std::string& label, const std::string& writing,
                       const std::string& reading);

// Every line of the page in order (empty strings are empty lines).
std::vector<std::string> ResultsLines(const ResultsSheet& sheet, const ReportClock& clock);

void PrintResultsLayout(const ResultsSheet& sheet, const ReportClock& clock,
                        ReportPrinter& printer);
