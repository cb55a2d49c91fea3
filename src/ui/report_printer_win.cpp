#include "ui/report_printer_win.h"

#include <commdlg.h>

#include <algorithm>

#include "ui/window_kit_win.h"

namespace {

// The printer's device context as a ReportPrinter: text goes left to right from the
// top left of the printable area, a line lower at each end of line.
class GdiReportPrinter : public ReportPrinter {
  public:
    GdiReportPrinter(HDC dc, const std::vector<ReportFont>& fonts) : dc_(dc) {
        int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        for (const ReportFont& f : fonts) {
            HFONT font = CreateFontA(-MulDiv(f.points, dpi, 72), 0, 0, 0,
                                     f.bold ? FW_BOLD : FW_NORMAL, f.italic, FALSE, FALSE,
                                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, f.face.c_str());
            fonts_.push_back(font);
            HGDIOBJ old = SelectObject(dc, font);
            TEXTMETRICA metrics{};
            GetTextMetricsA(dc, &metrics);
            heights_.push_back(
                std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading)));
            SelectObject(dc, old);
        }
        pageHeight_ = GetDeviceCaps(dc, VERTRES);
        oldFont_ = GetCurrentObject(dc, OBJ_FONT);
    }
    ~GdiReportPrinter() override {
        SelectObject(dc_, oldFont_);
        for (HFONT f : fonts_) DeleteObject(f);
    }

    bool StartPage() {
        if (failed_ || ::StartPage(dc_) <= 0) return Fail();
        // Some drivers reset the device context at each page.
        if (!fonts_.empty()) SelectObject(dc_, fonts_[current_]);
        SetBkMode(dc_, TRANSPARENT);
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        SetTextColor(dc_, ink_);
        x_ = y_ = 0;
        pageOpen_ = true;
        return true;
    }
    bool EndPage() {
        pageOpen_ = false;
        if (failed_ || ::EndPage(dc_) <= 0) return Fail();
        return true;
    }

    void SelectFont(int font) override {
        if (font < 0 || font >= static_cast<int>(fonts_.size())) return;
        current_ = font;
        if (!failed_) SelectObject(dc_, fonts_[font]);
    }
    void SetInk(uint32_t colour) override {
        ink_ = static_cast<COLORREF>(colour);
        if (!failed_) SetTextColor(dc_, ink_);
    }
    void Print(const std::string& text) override {
        if (failed_ || text.empty()) return;
        int length = static_cast<int>(text.size());
        TextOutA(dc_, x_, y_, text.data(), length);
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.data(), length, &size);
        x_ += size.cx;
    }
    void EndLine() override {
        x_ = 0;
        y_ += Height();
    }
    bool LineFits() const override { return y_ == 0 || y_ + Height() <= pageHeight_; }
    int LinesPerPage() const override { return pageHeight_ / Height(); }
    int LinesLeft() const override { return std::max(0, (pageHeight_ - y_) / Height()); }
    void NewPage() override {
        if (EndPage()) StartPage();
    }
    bool Failed() const override { return failed_; }
    bool PageOpen() const { return pageOpen_; }

  private:
    int Height() const { return heights_.empty() ? 1 : heights_[current_]; }
    bool Fail() {
        failed_ = true;
        return false;
    }

    HDC dc_;
    HGDIOBJ oldFont_ = nullptr;
    std::vector<HFONT> fonts_;
    std::vector<int> heights_;
    int current_ = 0;
    int pageHeight_ = 1;
    int x_ = 0, y_ = 0;
    COLORREF ink_ = RGB(0, 0, 0);
    bool failed_ = false;
    bool pageOpen_ = false;
};

// Prints the whole document on `dc`; false when the job failed.
bool PrintDocument(HDC dc, const std::string& documentName, const std::vector<ReportFont>& fonts,
                   const std::function<void(ReportPrinter&)>& layout) {
    GdiReportPrinter printer(dc, fonts);
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = documentName.c_str();
    if (StartDocA(dc, &doc) <= 0) return false;
    bool ok = printer.StartPage();
    if (ok) {
        layout(printer);
        ok = !printer.Failed() && printer.EndPage();
    }
    if (ok) {
        ok = EndDoc(dc) > 0;
    } else {
        AbortDoc(dc);
    }
    return ok;
}

}  // namespace

PrintOutcome PrintReport(HWND owner, const std::string& documentName,
                         const std::vector<ReportFont>& fonts,
                         const std::function<void(ReportPrinter&)>& layout) {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    BOOL chosen;
    {
        // The dialog must not open behind an always-on-top main window.
        TopmostGuard lift;
        chosen = PrintDlgA(&dialog);
    }
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    if (!chosen || !dialog.hDC) {
        if (dialog.hDC) DeleteDC(dialog.hDC);
        return PrintOutcome::Cancelled;
    }
    bool printed = PrintDocument(dialog.hDC, documentName, fonts, layout);
    DeleteDC(dialog.hDC);
    return printed ? PrintOutcome::Printed : PrintOutcome::Failed;
}
