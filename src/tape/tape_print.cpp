#include "tape/tape_print.h"

namespace {
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0x0000FF;
}  // namespace

std::vector<ReportFont> TapePrintFonts() {
    return {ReportFont{"Courier New", 10, false, false}};
}

void PrintTapeLayout(const Calculator& calc, const ReportClock& clock, ReportPrinter& printer) {
    printer.SelectFont(0);
    ComposeTapeReport(calc, clock, [&](ReportLineKind kind, const std::string& line) {
        if (kind == ReportLineKind::Trailer) return false;  // the printout ends with the tape
        if (!printer.LineFits()) printer.NewPage();
        if (printer.Failed()) return false;
        printer.SetInk(kind == ReportLineKind::Tape && PrintsInRed(line) ? kRed : kBlack);
        printer.Print(line);
        printer.EndLine();
        return true;
    });
}
