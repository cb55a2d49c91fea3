// Prints a report on a printer the user chooses, through the portable ReportPrinter.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/report_printer.h"

enum class PrintOutcome { Printed, Cancelled, Failed };

// Shows the print dialog over `owner` (out of the topmost band's way); Cancel prints
// nothing. Otherwise starts the document `documentName` with `fonts`, lets `layout`
// write it, and ends it; a failed page aborts the document.
PrintOutcome PrintReport(HWND owner, const std::string& documentName,
                         const std::vector<ReportFont>& fonts,
                         const std::function<void(ReportPrinter&)>& layout);
