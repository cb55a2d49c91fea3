// The printed tape: the report's header, two empty lines and the tape lines.
#pragma once

#include <vector>

#include "tape/tape_report.h"
#include "ui/report_printer.h"

// Courier New 10 like every tape and report text: the tape lines are right-aligned by
// blanks in a 30-character field, which lines up only in a fixed-pitch face (the
// default font of many printer drivers is a proportional one).
std::vector<ReportFont> TapePrintFonts();

// Writes the header, two empty lines and every tape line aligned, red where
// PrintsInRed says so, starting a new page whenever the next line does not fit.
void PrintTapeLayout(const Calculator& calc, const ReportClock& clock, ReportPrinter& printer);
