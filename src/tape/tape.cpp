#include "tape/tape.h"

#include <string>

#include "engine/display_format.h"
#include "engine/number_text.h"
#include "engine/paste_text.h"
#include "engine/shown_number.h"

namespace {

const char kClearTapeCaption[] = "Calculator";
const char kClearTapeQuestion[] = "Clear tape history?  This also clears current calculations!\r\n";

bool StartsWith(const std::string& text, const std::string& head) {
    return text.size() >= head.size() && text.compare(0, head.size(), head) == 0;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

void PaperFeed(Calculator& calc) {
    AppendTapeLine(calc, "", "");
    calc.view->ReturnFocus();
}

void ClearTape(Calculator& calc) {
    if (calc.view->AskYesNoCancel(kClearTapeCaption, kClearTapeQuestion) == Answer::Yes) {
        calc.view->ClearTapeLines();
        CalculatorState& s = calc.state;
        s.entryText.clear();
        s.total = 0;
        s.itemCount = 0;
        s.pendingOperator.clear();
        s.totalTaxed = 0;
        // The shown number stays (re-rendered), and so does the average field.
        if (IsDecimalMode(s.numberMode))
            RenderShownDecimal(calc);
        else
            FormatDisplay(calc);
        calc.view->SetItemsText(ItemsText(0));
    }
    calc.view->ReturnFocus();
}

void CopyDisplay(Calculator& calc) {
    std::string shown = calc.view->DisplayText();
    calc.view->PutClipboardText(shown);
    AppendTapeLine(calc, "Copy (" + shown + ")", "");
    calc.view->ReturnFocus();
}

void PasteDisplay(Calculator& calc) {
    CalculatorState& s = calc.state;
    PastedEntry pasted = ReadPastedText(calc.view->ClipboardText(), s.numberMode);
    calc.view->SetDisplayText(pasted.shown);
    s.entryActive = 1;
    s.entryText = pasted.entryText;
    s.entryShifted = 0;  // a pasted number is shown as it is used
    calc.view->ReturnFocus();
}

TapeInk TapeLineInk(const std::string& line) {
    TapeInk ink = TapeInk::Default;
    // Each rule that matches overrides the ones before it.
    if (ParseNumber(line) < 0 || EndsWith(line, " -")) ink = TapeInk::Red;
    if (StartsWith(line, "Copy")) ink = TapeInk::Blue;
    if (EndsWith(line, "Clear")) ink = TapeInk::Blue;
    if (StartsWith(line, "(") && !EndsWith(line, "=")) ink = TapeInk::Blue;
    if (EndsWith(line, "...")) ink = TapeInk::Blue;
    if (EndsWith(line, "M+") || EndsWith(line, "MS")) ink = TapeInk::Blue;
    return ink;
}
