#include "loan/loan_window_win.h"

#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <string>
#include <vector>

#include "engine/number_text.h"
#include "loan/loan_compute.h"
#include "loan/loan_ids_win.h"
#include "loan/loan_profiles.h"
#include "loan/loan_report.h"
#include "settings/settings_file.h"
#include "tape/tape.h"
#include "ui/app_win.h"
#include "ui/report_printer_win.h"
#include "ui/window_kit_win.h"

namespace {

constexpr int kOuterWidth = 516;
constexpr int kOuterHeight = 550;

ToolWindowSlot g_loan;

// What an open loan window owns besides its controls; freed with the window.
struct LoanWindow {
    WindowFonts fonts;
    LoanProfileTable table;
    int currentSlot = 0;  // 0: no profile shown
    std::vector<ScheduleRow> rows;
    std::string cell;  // the text handed to the schedule list for one cell
    HWND lastFocus = nullptr;
    bool filling = false;  // the window itself is setting the inputs
};

// What a calculation is for: the "Calculate" button also writes the tape and saves the
// profile; "Print" needs the results of the fields as they stand; a selection only
// shows what the stored inputs give, without a word when they give nothing.
enum class CalculationUse { Button, Print, Selection };

const DWORD kInput = ES_AUTOHSCROLL | WS_TABSTOP;
const DWORD kResult = ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP;
const DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;

const ControlDef kLoanControls[] = {
    {"STATIC", "Amount Financed", kIdLoanAmountLabel, 8, 12, 160, 16, SS_LEFT},
    {"EDIT", "", kIdLoanAmount, 172, 8, 100, 20, kInput, WS_EX_CLIENTEDGE, 0, kDisabled},
    {"STATIC", "Annual Interest (e.g., 8.25)", kIdLoanInterestLabel, 8, 36, 160, 16, SS_LEFT},
    {"EDIT", "", kIdLoanInterest, 172, 32, 100, 20, kInput, WS_EX_CLIENTEDGE, 0, kDisabled},
    {"STATIC", "Duration of Loan (in Years)", kIdLoanYearsLabel, 8, 60, 160, 16, SS_LEFT},
    {"EDIT", "", kIdLoanYears, 172, 56, 100, 20, kInput, WS_EX_CLIENTEDGE, 0, kDisabled},
    {"STATIC", "First Payment Date", kIdLoanDateLabel, 8, 84, 160, 16, SS_LEFT},
    {DATETIMEPICK_CLASSA, "", kIdLoanDate, 172, 80, 100, 20, DTS_SHORTDATEFORMAT | WS_TABSTOP, 0, 0,
     kDisabled},
    {"STATIC", "Compounded", kIdLoanCompoundingLabel, 8, 107, 160, 16, SS_LEFT},
    {"COMBOBOX", "", kIdLoanCompounding, 172, 104, 100, 200,
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 0, kDisabled},
    {"STATIC", "Monthly Payments", kIdLoanPaymentLabel, 8, 144, 160, 16, SS_LEFT},
    {"EDIT", "", kIdLoanPayment, 172, 140, 100, 20, kResult, WS_EX_CLIENTEDGE},
    {"STATIC", "Total Number of Payments", kIdLoanCountLabel, 8, 168, 160, 16, SS_LEFT},
    {"EDIT", "", kIdLoanCount, 172, 164, 100, 20, kResult, WS_EX_CLIENTEDGE},
    {"STATIC", "Yearly Principal + Interest", kIdLoanYearlyLabel, 8, 192, 160, 16, SS_LEFT},
    {"EDIT", "", kIdLoanYearly, 172, 188, 100, 20, kResult, WS_EX_CLIENTEDGE},
    {"STATIC", "Principal Amount", kIdLoanPrincipalLabel, 8, 228, 160, 16, SS_LEFT},
    {"EDIT", "", kIdLoanPrincipal, 172, 224, 100, 20, kResult, WS_EX_CLIENTEDGE},
    {"STATIC", "Finance Charges", kIdLoanChargesLabel, 8, 252, 160, 16, SS_LEFT},
    {"EDIT", "", kIdLoanCharges, 172, 248, 100, 20, kResult, WS_EX_CLIENTEDGE},
    {"STATIC", "Total Cost", kIdLoanCostLabel, 8, 276, 160, 16, SS_LEFT},
    {"EDIT", "", kIdLoanCost, 172, 272, 100, 20, kResult, WS_EX_CLIENTEDGE},
    {"STATIC", "Loan Name", kIdLoanNameLabel, 312, 8, 159, 16, SS_LEFT},
    {"LISTBOX", "", kIdLoanNames, 312, 24, 159, 69,
     LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {"BUTTON", "Add", kIdLoanAdd, 312, 101, 50, 24, kPush},
    {"BUTTON", "Rename", kIdLoanRename, 366, 101, 50, 24, kPush},
    {"BUTTON", "Remove", kIdLoanRemove, 421, 101, 50, 24, kPush},
    // Disabled while there is no profile to lock.
    {"BUTTON", "Lock this loan profile", kIdLoanLock, 328, 136, 142, 23,
     BS_AUTOCHECKBOX | WS_TABSTOP, 0, 0, kDisabled},
    {"BUTTON", "Calculate", kIdLoanCalculate, 328, 221, 60, 28, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Print", kIdLoanPrint, 396, 221, 60, 28, kPush},
    {"BUTTON", "Clear", kIdLoanClear, 328, 261, 60, 28, kPush},
    {"BUTTON", "Close", kIdLoanClose, 396, 261, 60, 28, kPush},
    {"STATIC", "Amortization Schedule", kIdLoanScheduleLabel, 144, 307, 200, 16, SS_LEFT},
    {WC_LISTVIEWA, "", kIdLoanSchedule, 0, 326, 511, 192,
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA | WS_TABSTOP, WS_EX_CLIENTEDGE},
};

const int kInputFields[] = {kIdLoanAmount, kIdLoanInterest, kIdLoanYears, kIdLoanDate,
                            kIdLoanCompounding};
const int kResultFields[] = {kIdLoanPayment,   kIdLoanCount,   kIdLoanYearly,
                             kIdLoanPrincipal, kIdLoanCharges, kIdLoanCost};

void EnableInputs(HWND window, bool on) {
    for (int id : kInputFields) EnableItem(window, id, on);
}

// The focus goes only to a control that can take input; otherwise it stays put.
void FocusItem(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    if (control && IsWindowEnabled(control)) SetFocus(control);
}

HWND Names(HWND window) {
    return GetDlgItem(window, kIdLoanNames);
}

int SelectedEntry(HWND window) {
    return static_cast<int>(SendMessageA(Names(window), LB_GETCURSEL, 0, 0));
}

std::string EntryText(HWND window, int entry) {
    HWND list = Names(window);
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, entry, 0);
    if (length == LB_ERR) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(
        SendMessageA(list, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

// Each entry carries its slot: two profiles may bear the same name.
int EntrySlot(HWND window, int entry) {
    LRESULT slot = SendMessageA(Names(window), LB_GETITEMDATA, entry, 0);
    return slot == LB_ERR ? 0 : static_cast<int>(slot);
}

int EntryCount(HWND window) {
    return static_cast<int>(SendMessageA(Names(window), LB_GETCOUNT, 0, 0));
}

std::string SelectedName(HWND window) {
    int entry = SelectedEntry(window);
    return entry == LB_ERR ? std::string() : EntryText(window, entry);
}

// ---- The date field ----

void SetDateField(HWND window, const SYSTEMTIME& date) {
    SYSTEMTIME copy = date;
    SendDlgItemMessageA(window, kIdLoanDate, DTM_SETSYSTEMTIME, GDT_VALID,
                        reinterpret_cast<LPARAM>(&copy));
}

void SetDateFieldToday(HWND window) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    SetDateField(window, today);
}

std::string DateFieldText(HWND window) {
    SYSTEMTIME date{};
    if (SendDlgItemMessageA(window, kIdLoanDate, DTM_GETSYSTEMTIME, 0,
                            reinterpret_cast<LPARAM>(&date)) != GDT_VALID)
        GetLocalTime(&date);
    return StartDateText(CalendarDate{date.wYear, date.wMonth, date.wDay});
}

int ChosenOption(HWND window) {
    LRESULT option = SendDlgItemMessageA(window, kIdLoanCompounding, CB_GETCURSEL, 0, 0);
    return option >= 0 && option < kCompoundingOptionCount ? static_cast<int>(option) : -1;
}

// ---- The schedule ----

void SetUpSchedule(HWND window) {
    HWND list = GetDlgItem(window, kIdLoanSchedule);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < kScheduleColumnCount; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = kScheduleColumns[i].centred ? LVCFMT_CENTER : LVCFMT_LEFT;
        column.cx = Scaled(kScheduleColumns[i].width);
        column.pszText = const_cast<char*>(kScheduleColumns[i].header);
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    // The first column takes its alignment only once it exists.
    LVCOLUMNA first{};
    first.mask = LVCF_FMT;
    first.fmt = LVCFMT_CENTER;
    SendMessageA(list, LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&first));
}

// The list holds no texts of its own: it asks for each cell as it draws it, so a
// schedule of any length shows at once.
void ShowSchedule(HWND window, LoanWindow& d, std::vector<ScheduleRow> rows) {
    HWND list = GetDlgItem(window, kIdLoanSchedule);
    d.rows = std::move(rows);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, d.rows.size(), 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
}

void AnswerCellRequest(LoanWindow& d, LVITEMA& item) {
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= d.rows.size()) {
        item.pszText[0] = '\0';
        return;
    }
    d.cell =
        ScheduleCellText(d.rows[static_cast<size_t>(item.iItem)], item.iItem + 1, item.iSubItem);
    lstrcpynA(item.pszText, d.cell.c_str(), item.cchTextMax);
}

void AnswerCellRequestW(LoanWindow& d, LVITEMW& item) {
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    item.pszText[0] = L'\0';
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= d.rows.size()) return;
    d.cell =
        ScheduleCellText(d.rows[static_cast<size_t>(item.iItem)], item.iItem + 1, item.iSubItem);
    MultiByteToWideChar(CP_ACP, 0, d.cell.c_str(), -1, item.pszText, item.cchTextMax);
    item.pszText[item.cchTextMax - 1] = L'\0';
}

// ---- Operations ----

// Results belong to the inputs they were calculated from: any change of an input
// takes them away.
void ClearResults(HWND window, LoanWindow& d) {
    for (int id : kResultFields) SetItemText(window, id, "");
    if (!d.rows.empty()) ShowSchedule(window, d, {});
}

void ClearLoanFields(HWND window, LoanWindow& d) {
    d.filling = true;
    for (int id : {kIdLoanAmount, kIdLoanInterest, kIdLoanYears}) SetItemText(window, id, "");
    ClearResults(window, d);
    SetDateFieldToday(window);
    d.filling = false;
    FocusItem(window, kIdLoanAmount);
}

// Focus-loss formatting rewrites a field only when its text changes, so that leaving
// a field untouched does not count as a change of the loan.
void Reformat(HWND window, int id, const std::string& text) {
    if (ItemText(window, id) != text) SetItemText(window, id, text);
}

// The texts the window shows, for the tape block and the report.
LoanSheet ShownSheet(HWND window) {
    LoanSheet s;
    s.name = SelectedName(window);
    s.amount = ItemText(window, kIdLoanAmount);
    s.interest = ItemText(window, kIdLoanInterest);
    s.years = ItemText(window, kIdLoanYears);
    int option = ChosenOption(window);
    s.compounding = option >= 0 ? kCompoundingOptions[option].text : "";
    s.results.payment = ItemText(window, kIdLoanPayment);
    s.results.count = ItemText(window, kIdLoanCount);
    s.results.yearly = ItemText(window, kIdLoanYearly);
    s.results.principal = ItemText(window, kIdLoanPrincipal);
    s.results.charges = ItemText(window, kIdLoanCharges);
    s.results.cost = ItemText(window, kIdLoanCost);
    return s;
}

void ShowLoanMessage(HWND window, const std::string& text, const std::string& caption) {
    ShowMessageFrom(window, text, caption, MB_OK);
}

// False, with the results cleared, when the inputs cannot be calculated; except for a
// selection the message says which field and what it needs.
bool RunCalculation(HWND window, LoanWindow& d, CalculationUse use) {
    if (d.currentSlot == 0 && !IsWindowEnabled(GetDlgItem(window, kIdLoanAmount))) {
        if (use != CalculationUse::Selection)
            ShowLoanMessage(window,
                            "There is no loan to calculate. Press Add and name the loan first.",
                            "Loan Calculator");
        return false;
    }
    // Leaving the fields formats them, so that they are read as they will be shown.
    SetFocus(GetDlgItem(window, kIdLoanCalculate));
    int option = ChosenOption(window);
    LoanInputs in;
    in.amount = ItemText(window, kIdLoanAmount);
    in.interest = ItemText(window, kIdLoanInterest);
    in.years = ItemText(window, kIdLoanYears);
    in.periodsPerYear = option >= 0 ? kCompoundingOptions[option].periodsPerYear : 0;
    in.startDate = DateFieldText(window);
    LoanCalculation c = CalculateLoan(in);
    if (c.fault != LoanInputFault::None) {
        ClearResults(window, d);
        if (use != CalculationUse::Selection)
            ShowLoanMessage(window, c.faultMessage, "Loan Calculator");
        if (!IsWindow(window)) return false;
        int field = c.fault == LoanInputFault::Amount     ? kIdLoanAmount
                    : c.fault == LoanInputFault::Interest ? kIdLoanInterest
                                                          : kIdLoanYears;
        FocusItem(window, field);
        return false;
    }
    SetItemText(window, kIdLoanPayment, c.texts.payment);
    SetItemText(window, kIdLoanCount, c.texts.count);
    SetItemText(window, kIdLoanYearly, c.texts.yearly);
    SetItemText(window, kIdLoanPrincipal, c.texts.principal);
    SetItemText(window, kIdLoanCharges, c.texts.charges);
    SetItemText(window, kIdLoanCost, c.texts.cost);
    if (use == CalculationUse::Button) {
        for (const std::string& line : LoanTapeLines(ShownSheet(window)))
            AppendTapeLine(TheCalculator(), line, "");
        StoreProfileInputs(SettingsPath(), d.table, d.currentSlot, c, in.startDate,
                           option >= 0 ? option : kMonthlyCompounding);
    }
    ShowSchedule(window, d, std::move(c.rows));
    FocusItem(window, kIdLoanAmount);
    return true;
}

void SetProfileLock(HWND window, LoanWindow& d) {
    bool locked = IsChecked(window, kIdLoanLock);
    EnableInputs(window, !locked);
    for (int id : {kIdLoanClear, kIdLoanRemove, kIdLoanRename}) EnableItem(window, id, !locked);
    StoreProfileLock(SettingsPath(), d.table, d.currentSlot, locked);
}

void SelectLoanProfile(HWND window, LoanWindow& d) {
    int entry = SelectedEntry(window);
    if (entry == LB_ERR) return;
    int slot = EntrySlot(window, entry);
    if (!IsProfileSlot(slot) || d.table.slots[slot].Free()) return;
    d.currentSlot = slot;
    const LoanProfile& p = d.table.slots[slot];
    ClearLoanFields(window, d);
    d.filling = true;
    SetItemText(window, kIdLoanAmount, AmountFieldText(p.principal));
    // 0 is a rate too: an interest-free loan.
    if (!p.interest.empty()) SetItemText(window, kIdLoanInterest, InterestFieldText(p.interest));
    if (!p.years.empty()) SetItemText(window, kIdLoanYears, YearsFieldText(p.years));
    CalendarDate date;
    if (StoredStartDate(p.startDate, date)) {
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(date.year);
        st.wMonth = static_cast<WORD>(date.month);
        st.wDay = static_cast<WORD>(date.day);
        SetDateField(window, st);
    }
    int option = StoredCompoundingIndex(p.compounding);
    if (option >= 0) SendDlgItemMessageA(window, kIdLoanCompounding, CB_SETCURSEL, option, 0);
    d.filling = false;
    RunCalculation(window, d, CalculationUse::Selection);
    SetCheck(window, kIdLoanLock, p.locked == "1");
    SetProfileLock(window, d);
    SetFocus(Names(window));
}

int InsertEntry(HWND window, const std::string& name, int slot) {
    HWND list = Names(window);
    int entry = static_cast<int>(
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
    if (entry >= 0) SendMessageA(list, LB_SETITEMDATA, entry, slot);
    return entry;
}

void LoadLoanProfiles(HWND window, LoanWindow& d) {
    d.table = LoadLoanProfileTable(SettingsPath());
    for (int n = 1; n <= kMaxLoanProfiles; ++n)
        if (!d.table.slots[n].Free()) InsertEntry(window, d.table.slots[n].name, n);
    bool any = EntryCount(window) > 0;
    if (any) {
        EnableInputs(window, true);
        EnableItem(window, kIdLoanLock, true);
        SendMessageA(Names(window), LB_SETCURSEL, 0, 0);
    }
    SetUpSchedule(window);
    if (any) SelectLoanProfile(window, d);
}

// The input box's answer as a name; false on a cancel, an empty answer or blanks only.
bool AskForName(HWND window, const char* caption, const char* prompt, const std::string& initial,
                std::string& name) {
    std::string answer;
    if (!AskForText(window, caption, prompt, initial, answer)) return false;
    // The box is modal to the whole program, yet the window is checked again before
    // its record is used.
    if (!IsWindow(window)) return false;
    name = TrimmedProfileName(answer);
    return !name.empty();
}

void ReportDuplicate(HWND window, const std::string& name) {
    ShowLoanMessage(window, name + " has already been used.  Please use a different name.",
                    "Duplicate Name!");
}

void AddLoanProfile(HWND window, LoanWindow& d) {
    int slot = LowestFreeSlot(d.table);
    if (slot == 0) {
        ShowLoanMessage(window, "Please remove a Loan Profile first.",
                        "Maximum Loan Profiles reached!");
        return;
    }
    std::string name;
    if (!AskForName(window, "Add Loan Profile", "Enter name of Loan", "", name)) return;
    if (NameUsedByOtherSlot(d.table, name, 0)) {
        ReportDuplicate(window, name);
        return;
    }
    int entry = InsertEntry(window, name, slot);
    SendMessageA(Names(window), LB_SETCURSEL, entry, 0);
    StoreNewProfile(SettingsPath(), d.table, slot, name);
    d.currentSlot = slot;
    ClearLoanFields(window, d);
    EnableInputs(window, true);
    for (int id : {kIdLoanClear, kIdLoanRemove, kIdLoanRename, kIdLoanLock})
        EnableItem(window, id, true);
    SetCheck(window, kIdLoanLock, false);
    FocusItem(window, kIdLoanAmount);
}

void RenameLoanProfile(HWND window, LoanWindow& d) {
    int entry = SelectedEntry(window);
    if (entry == LB_ERR) return;
    int slot = EntrySlot(window, entry);
    if (!IsProfileSlot(slot)) return;
    std::string name;
    if (!AskForName(window, "Rename Loan Profile", "Enter new name of Loan",
                    EntryText(window, entry), name))
        return;
    if (NameUsedByOtherSlot(d.table, name, slot)) {
        ReportDuplicate(window, name);
        return;
    }
    // In place: the entry keeps its position until the window is opened again.
    HWND list = Names(window);
    SendMessageA(list, LB_DELETESTRING, entry, 0);
    SendMessageA(list, LB_INSERTSTRING, entry, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, LB_SETITEMDATA, entry, slot);
    SendMessageA(list, LB_SETCURSEL, entry, 0);
    StoreProfileName(SettingsPath(), d.table, slot, name);
}

void RemoveLoanProfile(HWND window, LoanWindow& d) {
    int entry = SelectedEntry(window);
    if (entry == LB_ERR) return;
    int slot = EntrySlot(window, entry);
    if (!IsProfileSlot(slot) || d.table.slots[slot].Free()) return;
    // A removal cannot be undone: No is the answer Enter gives.
    int answer =
        ShowMessageFrom(window, "Remove the loan profile " + EntryText(window, entry) + "?",
                        "Remove Loan Profile", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES || !IsWindow(window)) return;
    EraseProfile(SettingsPath(), d.table, slot);
    ClearLoanFields(window, d);
    SendMessageA(Names(window), LB_DELETESTRING, entry, 0);
    if (EntryCount(window) == 0) {
        // Nothing is shown any more: the lock box would otherwise write into the freed slot.
        d.currentSlot = 0;
        EnableInputs(window, false);
        SetCheck(window, kIdLoanLock, false);
        EnableItem(window, kIdLoanLock, false);
        FocusItem(window, kIdLoanAdd);
        return;
    }
    SendMessageA(Names(window), LB_SETCURSEL, 0, 0);
    SelectLoanProfile(window, d);
}

ReportClock LocalClock() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return ReportClock{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

void PrintLoanReport(HWND window, LoanWindow& d) {
    // The report shows the fields as they stand, with the results they give.
    if (!RunCalculation(window, d, CalculationUse::Print)) return;
    LoanSheet sheet = ShownSheet(window);
    ReportClock clock = LocalClock();
    PrintOutcome outcome;
    {
        // The print dialog blocks only its owner; the rest of the program waits too.
        ProgramModal modal(window);
        outcome =
            PrintReport(window, "Tallymax Loan Report", LoanReportFonts(),
                        [&](ReportPrinter& p) { PrintLoanReportLayout(sheet, d.rows, clock, p); });
    }
    if (!IsWindow(window)) return;
    if (outcome == PrintOutcome::Failed)
        ShowLoanMessage(window, "The loan report could not be printed.", "Print Loan Report");
}

void CloseLoanWindow(HWND window) {
    DestroyWindow(window);
    ReturnFocus();
}

void OnCommand(HWND window, LoanWindow& d, int id, int code) {
    switch (id) {
        case kIdLoanAmount:
            if (code == EN_KILLFOCUS && IsWindowEnabled(GetDlgItem(window, id)))
                Reformat(window, id, AmountFieldText(ItemText(window, id)));
            if (code == EN_CHANGE && !d.filling) ClearResults(window, d);
            return;
        case kIdLoanInterest:
            if (code == EN_KILLFOCUS && IsWindowEnabled(GetDlgItem(window, id)))
                Reformat(window, id, InterestFieldText(ItemText(window, id)));
            if (code == EN_CHANGE && !d.filling) ClearResults(window, d);
            return;
        case kIdLoanYears:
            if (code == EN_KILLFOCUS && IsWindowEnabled(GetDlgItem(window, id)))
                Reformat(window, id, YearsFieldText(ItemText(window, id)));
            if (code == EN_CHANGE && !d.filling) ClearResults(window, d);
            return;
        case kIdLoanCompounding:
            if (code == CBN_SELCHANGE && !d.filling) ClearResults(window, d);
            return;
        case kIdLoanNames:
            if (code == LBN_SELCHANGE) SelectLoanProfile(window, d);
            return;
        default:
            break;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kIdLoanAdd:
            AddLoanProfile(window, d);
            break;
        case kIdLoanRename:
            RenameLoanProfile(window, d);
            break;
        case kIdLoanRemove:
            RemoveLoanProfile(window, d);
            break;
        case kIdLoanLock:
            SetProfileLock(window, d);
            break;
        case kIdLoanCalculate:
        case IDOK:
            RunCalculation(window, d, CalculationUse::Button);
            break;
        case kIdLoanPrint:
            PrintLoanReport(window, d);
            break;
        case kIdLoanClear:
            ClearLoanFields(window, d);
            break;
        case kIdLoanClose:
        case IDCANCEL:
            CloseLoanWindow(window);
            break;
        default:
            break;
    }
}

void CreateLoanControls(HWND window, LoanWindow& d) {
    CreateControls(window, kLoanControls, d.fonts);
    SendDlgItemMessageA(window, kIdLoanDate, DTM_SETFORMATA, 0,
                        reinterpret_cast<LPARAM>("MM-dd-yyyy"));
    SetDateFieldToday(window);
    HWND options = GetDlgItem(window, kIdLoanCompounding);
    for (const CompoundingOption& option : kCompoundingOptions)
        SendMessageA(options, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(option.text));
    SendMessageA(options, CB_SETCURSEL, kMonthlyCompounding, 0);
    LoadLoanProfiles(window, d);
}

LRESULT CALLBACK LoanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LoanWindow* d = OwnedWindowData<LoanWindow>(window, message, lParam);
    switch (message) {
        case WM_CREATE:
            CreateLoanControls(window, *d);
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(kIdLoanCalculate, DC_HASDEFID);
        case WM_COMMAND:
            if (d) OnCommand(window, *d, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (d && header->idFrom == kIdLoanDate && header->code == DTN_DATETIMECHANGE) {
                if (!d->filling) ClearResults(window, *d);
                return 0;
            }
            if (!d || header->idFrom != kIdLoanSchedule) break;
            if (header->code == LVN_GETDISPINFOA)
                AnswerCellRequest(*d, reinterpret_cast<NMLVDISPINFOA*>(lParam)->item);
            else if (header->code == LVN_GETDISPINFOW)
                AnswerCellRequestW(*d, reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
            return 0;
        }
        case WM_ACTIVATE:
            // Like a dialog: the control that had the focus gets it back.
            if (!d) break;
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window, focus)) d->lastFocus = focus;
            } else if (d->lastFocus && IsWindow(d->lastFocus) && IsWindowEnabled(d->lastFocus)) {
                SetFocus(d->lastFocus);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (d && d->lastFocus && IsWindow(d->lastFocus) && IsWindowEnabled(d->lastFocus))
                SetFocus(d->lastFocus);
            return 0;
        case WM_CTLCOLORSTATIC:
            // Labels and the read-only result fields on the window face.
            return OnDialogFace(wParam);
        case WM_CLOSE:
            CloseLoanWindow(window);
            return 0;
        case WM_DESTROY:
            ToolWindowDestroyed(window);
            return 0;
        case WM_NCDESTROY:
            FreeOwnedWindowData(window, d);
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void OpenLoanWindow() {
    if (BringToolWindowForward(g_loan)) return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterProgramWindowClass(instance, kLoanWindowClass, LoanProc)) return;
    auto record = std::make_unique<LoanWindow>();
    record->fonts.Make({{"Tahoma", 13}});
    LoanWindow* d = record.get();
    POINT at = CentredOnScreen(Scaled(kOuterWidth), Scaled(kOuterHeight));
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kLoanWindowClass, "Loan Calculator",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, at.x,
                                  at.y, Scaled(kOuterWidth), Scaled(kOuterHeight), MainWindow(),
                                  nullptr, instance, &record);
    if (!window) return;
    AdoptToolWindow(g_loan, window);
    // Loading left the focus on the name list; without a profile "Add" is the way in.
    d->lastFocus = GetFocus();
    if (!d->lastFocus || !IsChild(window, d->lastFocus))
        d->lastFocus = GetDlgItem(window, kIdLoanAdd);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(d->lastFocus);
}
