#include "throughput/results_print.h"

#include <cstdio>

std::vector<ReportFont> ResultsPrintFonts() {
    return {ReportFont{"Courier New", 12, false, false}};
}

std::string ResultsHeader(const ReportClock& c) {
    char text[96];
    std::snprintf(text, sizeof text, "Quorvel Results (%02d-%02d-%04d at %02d:%02d:%02d)", c.month,
                  c.day, c.year, c.hour, c.minute, c.second);
    return std::string(20, ' ') + text;
}

std::string ResultsRow(const std::string& label, const std::string& writing,
                       const std::string& reading) {
    std::size_t pad = writing.size() < 18 ? 18 - writing.size() : 1;
    return label + std::string(5, ' ') + writing + std::string(pad, ' ') + reading;
}

std::vector<std::string> ResultsLines(const ResultsSheet& s, const ReportClock& clock) {
    std::vector<std::string> lines = {
        "",
        ResultsHeader(clock),
        "",
        "",
        " Computer Name: " + s.computerName,
        " IP Address   : " + s.ipAddress,
        (s.server ? " Server       : " : " Folder       : ") + s.target,
        "",
        "",
        std::string(24, ' ') + "---Writing---     ---Reading---",
        ResultsRow(" Packet length   : ", s.writing.packetLength, s.reading.packetLength),
        ResultsRow(" Time to complete: ", s.writing.time, s.reading.time),
        ResultsRow(" Bytes per second: ", s.writing.bytesPerSecond, s.reading.bytesPerSecond),
        ResultsRow(" Bits per second : ", s.writing.bitsPerSecond, s.reading.bitsPerSecond),
        std::string(24, ' ') + "-------------     -------------",
        ResultsRow(" Mbps:             ", s.writing.mbps, s.reading.mbps),
    };
    return lines;
}

void PrintResultsLayout(const ResultsSheet& sheet, const ReportClock& clock,
                        ReportPrinter& printer) {
    printer.SelectFont(0);
    printer.SetInk(0x000000);
    for (const std::string& line : ResultsLines(sheet, clock)) {
        if (!printer.LineFits()) printer.NewPage();
        if (printer.Failed()) return;
        printer.Print(line);
        printer.EndLine();
    }
}
