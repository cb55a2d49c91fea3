// The loan calculator on the real program: profiles through the input box and the
// settings file, the computation, the schedule list and the tape block, locking,
// renaming and removing, the messages, and the printed report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "harness_win.h"
// After <windows.h>, which the harness brings in.
#include <commctrl.h>

#include "loan/loan_ids_win.h"
#include "ui/control_ids.h"

namespace {

using Lines = std::vector<std::string>;

// Memory in the program's process, for the common-control messages that carry
// pointers (Wine passes them through as they are).
class RemoteBuffer {
  public:
    RemoteBuffer(DWORD pid, size_t size) : size_(size) {
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* At(size_t offset = 0) const { return static_cast<char*>(at_) + offset; }
    void Write(size_t offset, const void* data, size_t n) const {
        WriteProcessMemory(process_, At(offset), data, n, nullptr);
    }
    void Read(size_t offset, void* data, size_t n) const {
        ReadProcessMemory(process_, At(offset), data, n, nullptr);
    }

  private:
    HANDLE process_ = nullptr;
    void* at_ = nullptr;
    size_t size_;
};

std::string WideToAnsi(const std::wstring& w) {
    std::string s(w.size() * 2 + 1, '\0');
    int got = WideCharToMultiByte(1252, 0, w.c_str(), static_cast<int>(w.size()), &s[0],
                                  static_cast<int>(s.size()), nullptr, nullptr);
    s.resize(got > 0 ? got : 0);
    return s;
}

// The loan window of a running program, worked as the user works it.
struct Loan {
    TallymaxApp& app;
    HWND window = nullptr;

    explicit Loan(TallymaxApp& a) : app(a) {}

    bool Open() {
        app.Click(kIdLoan);
        window = app.WaitForWindow(kLoanWindowClass, "Loan Calculator");
        return window != nullptr;
    }
    HWND Item(int id) const { return GetDlgItem(window, id); }
    std::string Text(int id) const { return TallymaxApp::WindowTextOf(Item(id)); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    void Click(int id) const {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(id)));
    }
    void PostClick(int id) const {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(id)));
    }
    // Focus into the field, type, and leave it, as the focus-loss formatting needs.
    void Type(int id, const std::string& text) const {
        PostMessageA(Item(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageA(Item(id), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        app.Settle();
        SendMessageA(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // The three figures of a loan, typed as a user would.
    void Fill(const std::string& amount, const std::string& rate, const std::string& years) const {
        Type(kIdLoanAmount, amount);
        Type(kIdLoanInterest, rate);
        Type(kIdLoanYears, years);
    }
    void ClickLock() const { SendMessageA(Item(kIdLoanLock), BM_CLICK, 0, 0); }
    bool Locked() const {
        return SendMessageA(Item(kIdLoanLock), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void ChooseOption(int index) const {
        SendMessageA(Item(kIdLoanCompounding), CB_SETCURSEL, index, 0);
    }
    int Option() const {
        return static_cast<int>(SendMessageA(Item(kIdLoanCompounding), CB_GETCURSEL, 0, 0));
    }
    Lines Options() const {
        Lines texts;
        HWND box = Item(kIdLoanCompounding);
        int n = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            std::wstring w(static_cast<size_t>(SendMessageW(box, CB_GETLBTEXTLEN, i, 0)) + 1,
                           L'\0');
            SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&w[0]));
            w.resize(wcslen(w.c_str()));
            texts.push_back(WideToAnsi(w));
        }
        return texts;
    }
    Lines Names() const {
        Lines names;
        HWND list = Item(kIdLoanNames);
        int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            std::wstring w(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&w[0]));
            w.resize(wcslen(w.c_str()));
            names.push_back(WideToAnsi(w));
        }
        return names;
    }
    int Selected() const {
        return static_cast<int>(SendMessageA(Item(kIdLoanNames), LB_GETCURSEL, 0, 0));
    }
    // A click on a list entry.
    void Select(int entry) const {
        SendMessageA(Item(kIdLoanNames), LB_SETCURSEL, entry, 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(kIdLoanNames, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(kIdLoanNames)));
    }
    void SetDate(int month, int day, int year) const {
        RemoteBuffer remote(app.ProcessId(), sizeof(SYSTEMTIME));
        SYSTEMTIME t{};
        t.wYear = static_cast<WORD>(year);
        t.wMonth = static_cast<WORD>(month);
        t.wDay = static_cast<WORD>(day);
        remote.Write(0, &t, sizeof t);
        SendMessageA(Item(kIdLoanDate), DTM_SETSYSTEMTIME, GDT_VALID,
                     reinterpret_cast<LPARAM>(remote.At()));
    }
    SYSTEMTIME Date() const {
        RemoteBuffer remote(app.ProcessId(), sizeof(SYSTEMTIME));
        SendMessageA(Item(kIdLoanDate), DTM_GETSYSTEMTIME, 0,
                     reinterpret_cast<LPARAM>(remote.At()));
        SYSTEMTIME t{};
        remote.Read(0, &t, sizeof t);
        return t;
    }
    int Rows() const {
        return static_cast<int>(SendMessageA(Item(kIdLoanSchedule), LVM_GETITEMCOUNT, 0, 0));
    }
    std::string Cell(int row, int column) const {
        RemoteBuffer remote(app.ProcessId(), sizeof(LVITEMA) + 512);
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = remote.At(sizeof(LVITEMA));
        item.cchTextMax = 512;
        remote.Write(0, &item, sizeof item);
        SendMessageA(Item(kIdLoanSchedule), LVM_GETITEMTEXTA, row,
                     reinterpret_cast<LPARAM>(remote.At()));
        char text[512] = "";
        remote.Read(sizeof(LVITEMA), text, sizeof text - 1);
        return text;
    }
    // Row `number` (from 1) as its seven cells joined by blanks.
    std::string Row(int number) const {
        std::string line;
        for (int column = 0; column < 7; ++column)
            line += (column ? " " : "") + Cell(number - 1, column);
        return line;
    }
    std::string Column(int column, int& width, int& format) const {
        RemoteBuffer remote(app.ProcessId(), sizeof(LVCOLUMNA) + 128);
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        c.pszText = remote.At(sizeof(LVCOLUMNA));
        c.cchTextMax = 128;
        remote.Write(0, &c, sizeof c);
        SendMessageA(Item(kIdLoanSchedule), LVM_GETCOLUMNA, column,
                     reinterpret_cast<LPARAM>(remote.At()));
        remote.Read(0, &c, sizeof c);
        width = c.cx;
        format = c.fmt & LVCFMT_JUSTIFYMASK;
        char text[128] = "";
        remote.Read(sizeof(LVCOLUMNA), text, sizeof text - 1);
        return text;
    }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info.hwndFocus;
    }
    bool FocusIs(int id) const {
        return TallymaxApp::WaitUntil([&] { return Focus() == Item(id); });
    }
    std::string Results() const {
        std::string all;
        for (int id : {kIdLoanPayment, kIdLoanCount, kIdLoanYearly, kIdLoanPrincipal,
                       kIdLoanCharges, kIdLoanCost})
            all += (id == kIdLoanPayment ? "" : " ") + Text(id);
        return all;
    }
    // Answers the input box that `button` opens; false when no box came.
    bool AnswerInputBox(int button, const std::string& answer, bool ok = true,
                        std::string* caption = nullptr, std::string* initial = nullptr) const {
        PostClick(button);
        HWND box = app.WaitForWindow("FORM_TALLYMAX_INPUTBOX_CLASS");
        if (!box) return false;
        if (caption) *caption = TallymaxApp::WindowTextOf(box);
        if (initial) *initial = TallymaxApp::WindowTextOf(GetDlgItem(box, 1001));
        SendMessageA(GetDlgItem(box, 1001), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(answer.c_str()));
        TallymaxApp::PressDialogButton(box, ok ? IDOK : IDCANCEL);
        TallymaxApp::WaitUntil([&] { return !IsWindow(box); });
        app.Settle();
        return true;
    }
    bool Add(const std::string& name) const { return AnswerInputBox(kIdLoanAdd, name); }
    // "Remove", answered Yes.
    void RemoveSelected() const {
        PostClick(kIdLoanRemove);
        HWND ask = app.WaitForWindow("#32770", "Remove Loan Profile");
        if (!ask) return;
        TallymaxApp::PressDialogButton(ask, IDYES);
        TallymaxApp::WaitUntil([&] { return !IsWindow(ask); });
        app.Settle();
    }
    // The message box now up: its text and caption, then OK.
    std::string TakeMessage(std::string* caption = nullptr) const {
        HWND box = app.WaitForWindow("#32770");
        if (!box) return "<no message>";
        if (caption) *caption = TallymaxApp::WindowTextOf(box);
        std::string text = TallymaxApp::MessageBoxText(box);
        TallymaxApp::PressDialogButton(box, IDOK);
        TallymaxApp::WaitUntil([&] { return !IsWindow(box); });
        app.Settle();
        return text;
    }
    void TypeWorkedExample() const {
        Type(kIdLoanAmount, "100000");
        Type(kIdLoanInterest, "8.25");
        Type(kIdLoanYears, "30");
        SetDate(1, 15, 2025);
        ChooseOption(2);
    }
};

std::string Ini(const TallymaxApp& app, const std::string& key) {
    return IniValue(app.Ini(), "Loan Settings", key);
}

const char* const kWorkedResults = "$751.27 360 $9,015.24 $100,000.00 $170,451.76 $270,451.76";
const char* const kRow1 = "1 01/2025 $63.77 $687.50 $63.77 $687.50 $99,936.23";
const char* const kRow2 = "2 02/2025 $64.21 $687.06 $127.98 $1,374.56 $99,872.02";
const char* const kRow360 = "360 12/2054 $740.74 $5.09 $100,000.00 $170,451.76 $0.00";

TEST(LoanWindow, OpensFromTheKeypadWithItsControlsInPlace) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    RECT r;
    GetWindowRect(loan.window, &r);
    EXPECT_EQ(r.right - r.left, 516);
    EXPECT_EQ(r.bottom - r.top, 550);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(GetWindow(loan.window, GW_OWNER), app.Main());

    const struct {
        int id;
        const char* caption;
        int x, y, w, h;  // w 0: not checked
    } controls[] = {
        {kIdLoanAmountLabel, "Amount Financed", 8, 12, 0, 0},
        {kIdLoanAmount, "", 172, 8, 100, 20},
        {kIdLoanInterestLabel, "Annual Interest (e.g., 8.25)", 8, 36, 0, 0},
        {kIdLoanInterest, "", 172, 32, 100, 20},
        {kIdLoanYearsLabel, "Duration of Loan (in Years)", 8, 60, 0, 0},
        {kIdLoanYears, "", 172, 56, 100, 20},
        {kIdLoanDateLabel, "First Payment Date", 8, 84, 0, 0},
        {kIdLoanDate, nullptr, 172, 80, 100, 20},
        {kIdLoanCompoundingLabel, "Compounded", 8, 107, 0, 0},
        {kIdLoanCompounding, nullptr, 172, 104, 100, 0},
        {kIdLoanPaymentLabel, "Monthly Payments", 8, 144, 0, 0},
        {kIdLoanPayment, "", 172, 140, 0, 0},
        {kIdLoanCountLabel, "Total Number of Payments", 8, 168, 0, 0},
        {kIdLoanCount, "", 172, 164, 0, 0},
        {kIdLoanYearlyLabel, "Yearly Principal + Interest", 8, 192, 0, 0},
        {kIdLoanYearly, "", 172, 188, 0, 0},
        {kIdLoanPrincipalLabel, "Principal Amount", 8, 228, 0, 0},
        {kIdLoanPrincipal, "", 172, 224, 0, 0},
        {kIdLoanChargesLabel, "Finance Charges", 8, 252, 0, 0},
        {kIdLoanCharges, "", 172, 248, 0, 0},
        {kIdLoanCostLabel, "Total Cost", 8, 276, 0, 0},
        {kIdLoanCost, "", 172, 272, 0, 0},
        {kIdLoanNameLabel, "Loan Name", 312, 8, 0, 0},
        {kIdLoanNames, nullptr, 312, 24, 159, 69},
        {kIdLoanAdd, "Add", 312, 101, 50, 24},
        {kIdLoanRename, "Rename", 366, 101, 50, 24},
        {kIdLoanRemove, "Remove", 421, 101, 50, 24},
        {kIdLoanLock, "Lock this loan profile", 328, 136, 142, 23},
        {kIdLoanCalculate, "Calculate", 328, 221, 60, 28},
        {kIdLoanPrint, "Print", 396, 221, 60, 28},
        {kIdLoanClear, "Clear", 328, 261, 60, 28},
        {kIdLoanClose, "Close", 396, 261, 60, 28},
        {kIdLoanScheduleLabel, "Amortization Schedule", 144, 307, 0, 0},
        {kIdLoanSchedule, nullptr, 0, 326, 511, 192},
    };
    for (const auto& c : controls) {
        HWND h = loan.Item(c.id);
        ASSERT_NE(h, nullptr) << c.id;
        RECT cr;
        GetWindowRect(h, &cr);
        POINT at = {cr.left, cr.top};
        ScreenToClient(loan.window, &at);
        EXPECT_EQ(at.x, c.x) << c.id;
        EXPECT_EQ(at.y, c.y) << c.id;
        if (c.w) EXPECT_EQ(cr.right - cr.left, c.w) << c.id;
        if (c.h) EXPECT_EQ(cr.bottom - cr.top, c.h) << c.id;
        if (c.caption) EXPECT_EQ(loan.Text(c.id), c.caption) << c.id;
    }
    // No profile yet: the inputs wait for one.
    for (int id : {kIdLoanAmount, kIdLoanInterest, kIdLoanYears, kIdLoanDate, kIdLoanCompounding})
        EXPECT_FALSE(loan.Enabled(id)) << id;
    EXPECT_EQ(loan.Options(),
              (Lines{"Daily", "Weekly", "Monthly", "Quarterly", "Semi-Annually", "Annualy"}));
    EXPECT_EQ(loan.Option(), 2);
    EXPECT_NE(GetWindowLongA(loan.Item(kIdLoanSchedule), GWL_STYLE) & LVS_OWNERDATA, 0);
    const struct {
        const char* header;
        int width, format;
    } columns[] = {{"#", 30, LVCFMT_CENTER},         {"Date", 60, LVCFMT_LEFT},
                   {"Principal", 80, LVCFMT_LEFT},   {"Interest", 80, LVCFMT_LEFT},
                   {"T.Principal", 80, LVCFMT_LEFT}, {"T.Interest", 80, LVCFMT_LEFT},
                   {"Balance", 80, LVCFMT_LEFT}};
    for (int i = 0; i < 7; ++i) {
        int width = 0, format = 0;
        EXPECT_EQ(loan.Column(i, width, format), columns[i].header) << i;
        EXPECT_EQ(width, columns[i].width) << i;
        EXPECT_EQ(format, columns[i].format) << i;
    }
    EXPECT_EQ(IniValue(app.Ini(), "Loan Settings", "Name1"), "<missing>");

    // The key again: the same window comes forward.
    app.Click(kIdLoan);
    app.Settle();
    EXPECT_EQ(app.WaitForWindow(kLoanWindowClass), loan.window);
    EXPECT_TRUE(IsWindow(loan.window));
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(loan.window, nullptr), &info);
    EXPECT_EQ(info.hwndActive, loan.window);
    EXPECT_TRUE(info.hwndFocus == loan.window || IsChild(loan.window, info.hwndFocus));
    // Escape is "Close".
    PostMessageA(loan.Item(kIdLoanAdd), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(loan.window); }));
    ASSERT_TRUE(app.Close());
}

TEST(LoanWindow, WorkedExampleThroughTheInputBoxCalculateAndReopen) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    std::string caption;
    ASSERT_TRUE(loan.AnswerInputBox(kIdLoanAdd, "House", true, &caption));
    EXPECT_EQ(caption, "Add Loan Profile");
    EXPECT_EQ(Ini(app, "Name1"), "House");
    EXPECT_TRUE(loan.FocusIs(kIdLoanAmount));
    EXPECT_TRUE(loan.Enabled(kIdLoanAmount));
    ASSERT_TRUE(loan.Add("Car"));
    EXPECT_EQ(Ini(app, "Name2"), "Car");
    EXPECT_EQ(loan.Names(), (Lines{"Car", "House"}));
    loan.Select(1);
    ASSERT_EQ(loan.Names()[static_cast<size_t>(loan.Selected())], "House");
    EXPECT_EQ(Ini(app, "Locked1"), "0");  // a selection stores the lock

    size_t tapeBefore = app.Tape().size();
    loan.TypeWorkedExample();
    loan.Click(kIdLoanCalculate);
    EXPECT_EQ(loan.Results(), kWorkedResults);
    EXPECT_EQ(loan.Text(kIdLoanAmount), "$100,000.00");
    EXPECT_EQ(loan.Text(kIdLoanInterest), "8.25%");
    ASSERT_EQ(loan.Rows(), 360);
    EXPECT_EQ(loan.Row(1), kRow1);
    EXPECT_EQ(loan.Row(2), kRow2);
    EXPECT_EQ(loan.Row(360), kRow360);
    EXPECT_TRUE(loan.FocusIs(kIdLoanAmount));
    Lines tape = app.Tape();
    ASSERT_EQ(tape.size(), tapeBefore + 15);
    Lines block(tape.end() - 15, tape.end());
    EXPECT_EQ(block,
              (Lines{"Loan Analysis...", "Loan Name: House", "Amount Financed: $100,000.00",
                     "Annual Interest: 8.25%", "Duration in Years: 30", "Compounded: Monthly", "",
                     "Monthly Payments: $751.27", "Total # Payments: 360",
                     "Yearly Prin + Int: $9,015.24", "", "Principal Amount: $100,000.00",
                     "Finance Charges: $170,451.76", "Total Cost: $270,451.76", ""}));
    const struct {
        const char *key, *value;
    } saved[] = {{"Name1", "House"},           {"Principal1", "100000"},
                 {"Interest1", "8.25"},        {"Years1", "30"},
                 {"StartDate1", "01-15-2025"}, {"CompoundingPeriods1", "2"},
                 {"Principal2", "<missing>"}};
    for (const auto& k : saved) EXPECT_EQ(Ini(app, k.key), k.value) << k.key;

    // Other compounding, by Enter in the years field (Calculate is the default button).
    const struct {
        int option;
        const char* payment;
    } options[] = {{5, "$730.53"}, {0, "$753.20"}};
    for (const auto& k : options) {
        loan.ChooseOption(k.option);
        PostMessageA(loan.Item(kIdLoanYears), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(loan.Item(kIdLoanYears), WM_KEYUP, VK_RETURN, 0xC0000001);
        EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return loan.Text(kIdLoanPayment) == k.payment; }))
            << k.option << ": " << loan.Text(kIdLoanPayment);
        EXPECT_EQ(Ini(app, "CompoundingPeriods1"), std::to_string(k.option));
    }
    loan.ChooseOption(2);
    loan.Click(kIdLoanCalculate);

    // Reopened: sorted, the first selected and shown without a word on the tape.
    tapeBefore = app.Tape().size();
    loan.Click(kIdLoanClose);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(loan.window); }));
    ASSERT_TRUE(loan.Open());
    EXPECT_EQ(loan.Names(), (Lines{"Car", "House"}));
    EXPECT_EQ(loan.Selected(), 0);
    EXPECT_EQ(loan.Results(), "     ");
    EXPECT_TRUE(loan.FocusIs(kIdLoanNames));
    loan.Select(1);
    EXPECT_EQ(loan.Text(kIdLoanAmount), "$100,000.00");
    EXPECT_EQ(loan.Text(kIdLoanInterest), "8.25%");
    EXPECT_EQ(loan.Text(kIdLoanYears), "30");
    SYSTEMTIME date = loan.Date();
    EXPECT_EQ(date.wMonth * 1000000 + date.wDay * 10000 + date.wYear, 1152025);
    EXPECT_EQ(loan.Results(), kWorkedResults);
    EXPECT_EQ(loan.Row(360), kRow360);
    EXPECT_EQ(app.Tape().size(), tapeBefore);
    // Clear empties the inputs and results; the stored profile stays.
    loan.Click(kIdLoanClear);
    EXPECT_EQ(loan.Text(kIdLoanAmount), "");
    EXPECT_EQ(loan.Rows(), 0);
    EXPECT_EQ(loan.Results(), "     ");
    EXPECT_EQ(Ini(app, "Principal1"), "100000");
    ASSERT_TRUE(app.Close());
}

TEST(LoanWindow, LockRenameAndRemove) {
    TallymaxApp app;
    app.WriteIni(
        "[Loan Settings]\r\nPrincipal=5\r\nName3=beta\r\nPrincipal3=1000\r\nInterest3=12\r\n"
        "Years3=1\r\nName5=Alpha\r\nName7=Gamma\r\nLocked7=1\r\nPrincipal7=2000\r\n"
        "Interest7=6\r\nYears7=2\r\n");
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    EXPECT_EQ(Ini(app, "Principal"), "<missing>");
    EXPECT_EQ(loan.Names(), (Lines{"Alpha", "beta", "Gamma"}));

    // A locked profile shows its values with the inputs disabled.
    loan.Select(2);
    EXPECT_TRUE(loan.Locked());
    EXPECT_EQ(loan.Text(kIdLoanAmount), "$2,000.00");
    for (int id : {kIdLoanAmount, kIdLoanInterest, kIdLoanYears, kIdLoanDate, kIdLoanCompounding,
                   kIdLoanClear, kIdLoanRemove, kIdLoanRename})
        EXPECT_FALSE(loan.Enabled(id)) << id;
    loan.ClickLock();
    EXPECT_EQ(Ini(app, "Locked7"), "0");
    for (int id : {kIdLoanAmount, kIdLoanInterest, kIdLoanYears, kIdLoanDate, kIdLoanCompounding,
                   kIdLoanClear, kIdLoanRemove, kIdLoanRename})
        EXPECT_TRUE(loan.Enabled(id)) << id;
    loan.ClickLock();
    EXPECT_EQ(Ini(app, "Locked7"), "1");
    EXPECT_FALSE(loan.Enabled(kIdLoanAmount));

    // beta: 12 % for a year on 1000.
    loan.Select(1);
    EXPECT_FALSE(loan.Locked());
    EXPECT_EQ(loan.Text(kIdLoanPayment), "$88.85");
    EXPECT_EQ(loan.Rows(), 12);

    // Alpha renamed Zulu keeps its place; the box offers the old name.
    loan.Select(0);
    std::string caption, initial;
    ASSERT_TRUE(loan.AnswerInputBox(kIdLoanRename, "Zulu", true, &caption, &initial));
    EXPECT_EQ(caption, "Rename Loan Profile");
    EXPECT_EQ(initial, "Alpha");
    EXPECT_EQ(loan.Names(), (Lines{"Zulu", "beta", "Gamma"}));
    EXPECT_EQ(loan.Selected(), 0);
    EXPECT_EQ(Ini(app, "Name5"), "Zulu");
    // Cancelled: nothing changes.
    ASSERT_TRUE(loan.AnswerInputBox(kIdLoanRename, "Other", false));
    EXPECT_EQ(Ini(app, "Name5"), "Zulu");

    // Remove asks first, No being the default: Enter keeps the profile.
    loan.Select(1);
    loan.PostClick(kIdLoanRemove);
    HWND ask = app.WaitForWindow("#32770", "Remove Loan Profile");
    ASSERT_NE(ask, nullptr) << "no question";
    EXPECT_EQ(TallymaxApp::MessageBoxText(ask), "Remove the loan profile beta?");
    EXPECT_EQ(GetWindowLongA(GetDlgItem(ask, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(ask, IDYES), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    TallymaxApp::PressDialogButton(ask, IDNO);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(ask); }));
    app.Settle();
    EXPECT_EQ(loan.Names(), (Lines{"Zulu", "beta", "Gamma"}));
    EXPECT_EQ(Ini(app, "Name3"), "beta");
    // Yes deletes all its keys and shows the first entry.
    loan.PostClick(kIdLoanRemove);
    ask = app.WaitForWindow("#32770", "Remove Loan Profile");
    ASSERT_NE(ask, nullptr) << "no question";
    TallymaxApp::PressDialogButton(ask, IDYES);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(ask); }));
    app.Settle();
    EXPECT_EQ(loan.Names(), (Lines{"Zulu", "Gamma"}));
    for (const char* key : {"Name3", "Principal3", "Interest3", "Years3", "Locked3"})
        EXPECT_EQ(Ini(app, key), "<missing>") << key;
    EXPECT_EQ(loan.Selected(), 0);
    // Reopened, the order is alphabetical again.
    loan.Click(kIdLoanClose);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(loan.window); }));
    ASSERT_TRUE(loan.Open());
    EXPECT_EQ(loan.Names(), (Lines{"Gamma", "Zulu"}));
    ASSERT_TRUE(app.Close());
}

std::string TwentyProfiles() {
    std::string ini = "[Loan Settings]\r\n";
    for (int n = 1; n <= 20; ++n)
        ini += "Name" + std::to_string(n) + "=Loan " + std::to_string(n) + "\r\n";
    return ini;
}

TEST(LoanWindow, MessagesForTheTwentyFirstProfileAndDuplicateNames) {
    TallymaxApp app;
    app.WriteIni(TwentyProfiles());
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    ASSERT_EQ(loan.Names().size(), 20u);
    loan.PostClick(kIdLoanAdd);
    std::string caption;
    HWND box = app.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr);
    // Owned by the loan window, and the whole program waits for it.
    EXPECT_EQ(GetWindow(box, GW_OWNER), loan.window);
    EXPECT_FALSE(IsWindowEnabled(loan.window));
    EXPECT_FALSE(IsWindowEnabled(app.Main()));
    EXPECT_EQ(loan.TakeMessage(&caption), "Please remove a Loan Profile first.");
    EXPECT_EQ(caption, "Maximum Loan Profiles reached!");
    EXPECT_TRUE(IsWindowEnabled(loan.window));
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    EXPECT_EQ(app.WaitForWindow("FORM_TALLYMAX_INPUTBOX_CLASS", "", 300), nullptr);

    loan.Select(19);  // "Loan 9"
    loan.RemoveSelected();
    ASSERT_EQ(loan.Names().size(), 19u);
    // Taken, with blanks around it; the comparison is case-sensitive.
    ASSERT_TRUE(loan.Add("  Loan 1 "));
    EXPECT_EQ(loan.TakeMessage(&caption),
              "Loan 1 has already been used.  Please use a different name.");
    EXPECT_EQ(caption, "Duplicate Name!");
    EXPECT_EQ(Ini(app, "Name9"), "<missing>");
    ASSERT_TRUE(loan.Add("loan 1"));
    EXPECT_EQ(Ini(app, "Name9"), "loan 1");
    // Rename to another profile's name is refused the same way; to its own name it is not.
    loan.Select(0);
    std::string selected = loan.Names()[0];
    ASSERT_TRUE(loan.AnswerInputBox(kIdLoanRename, "Loan 2"));
    EXPECT_EQ(loan.TakeMessage(&caption),
              "Loan 2 has already been used.  Please use a different name.");
    EXPECT_EQ(loan.Names()[0], selected);
    ASSERT_TRUE(loan.AnswerInputBox(kIdLoanRename, selected));
    EXPECT_EQ(app.WaitForWindow("#32770", "", 300), nullptr);
    ASSERT_TRUE(app.Close());
}

TEST(LoanWindow, BoxesLiftAnAlwaysOnTopMainWindow) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nTopMost=1\r\n");
    ASSERT_TRUE(app.Start());
    auto topMost = [&] { return (GetWindowLongA(app.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    ASSERT_TRUE(topMost());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    loan.PostClick(kIdLoanAdd);
    HWND box = app.WaitForWindow("FORM_TALLYMAX_INPUTBOX_CLASS");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), loan.window);
    EXPECT_FALSE(topMost());
    // The box shows itself before its modal loop disables the rest.
    EXPECT_TRUE(TallymaxApp::WaitUntil(
        [&] { return !IsWindowEnabled(loan.window) && !IsWindowEnabled(app.Main()); }));
    // A second Add or a Close meanwhile would act on a window the box is working for.
    TallymaxApp::PressDialogButton(box, IDCANCEL);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(box); }));
    app.Settle();
    EXPECT_TRUE(topMost());
    EXPECT_TRUE(IsWindowEnabled(loan.window));
    EXPECT_TRUE(loan.Names().empty());
    ASSERT_TRUE(app.Close());
}

TEST(LoanWindow, EqualNamesInTheFileActOnTheirOwnSlots) {
    TallymaxApp app;
    app.WriteIni(
        "[Loan Settings]\r\nName1=Car\r\nPrincipal1=1000\r\nInterest1=12\r\nYears1=1\r\n"
        "Name2=Car\r\nPrincipal2=2000\r\nInterest2=12\r\nYears2=1\r\n");
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    ASSERT_EQ(loan.Names(), (Lines{"Car", "Car"}));
    std::string shown[2];
    for (int entry = 0; entry < 2; ++entry) {
        loan.Select(entry);
        shown[entry] = loan.Text(kIdLoanAmount);
    }
    EXPECT_NE(shown[0], shown[1]);
    int second = shown[1] == "$2,000.00" ? 1 : 0;
    loan.Select(second);
    loan.Type(kIdLoanYears, "2");
    loan.Click(kIdLoanCalculate);
    EXPECT_EQ(Ini(app, "Years2"), "2");
    EXPECT_EQ(Ini(app, "Years1"), "1");
    loan.Select(second);
    loan.RemoveSelected();
    EXPECT_EQ(Ini(app, "Name2"), "<missing>");
    EXPECT_EQ(Ini(app, "Name1"), "Car");
    EXPECT_EQ(loan.Text(kIdLoanAmount), "$1,000.00");
    ASSERT_TRUE(app.Close());
}

TEST(LoanWindow, BlankNamesAndTheLastRemovalLeaveNoOrphanKeys) {
    TallymaxApp app;
    app.WriteIni("[Loan Settings]\r\nName1=Old\r\nYears2=7\r\nLocked2=1\r\n");
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    ASSERT_TRUE(loan.Add("   "));  // blanks only: as a cancel
    EXPECT_EQ(loan.Names(), (Lines{"Old"}));
    EXPECT_EQ(Ini(app, "Name2"), "<missing>");
    ASSERT_TRUE(loan.Add(" New "));
    EXPECT_EQ(Ini(app, "Name2"), "New");
    // Slot 2's leftovers went before its name came.
    EXPECT_EQ(Ini(app, "Years2"), "<missing>");
    EXPECT_EQ(Ini(app, "Locked2"), "<missing>");
    EXPECT_FALSE(loan.Locked());
    EXPECT_EQ(loan.Text(kIdLoanYears), "");

    for (int i = 0; i < 2; ++i) {
        loan.Select(0);
        loan.RemoveSelected();
    }
    EXPECT_TRUE(loan.Names().empty());
    EXPECT_FALSE(loan.Enabled(kIdLoanAmount));
    EXPECT_FALSE(loan.Enabled(kIdLoanLock));
    loan.ClickLock();  // disabled: nothing to lock
    loan.Click(kIdLoanLock);
    loan.PostClick(kIdLoanCalculate);
    EXPECT_EQ(loan.TakeMessage(),
              "There is no loan to calculate. Press Add and name the loan first.");
    EXPECT_EQ(IniValue(app.Ini(), "Loan Settings", "Locked1"), "<missing>");
    EXPECT_EQ(IniValue(app.Ini(), "Loan Settings", "Locked2"), "<missing>");
    ASSERT_TRUE(loan.Add("Fresh"));
    EXPECT_EQ(Ini(app, "Name1"), "Fresh");
    EXPECT_FALSE(loan.Locked());
    EXPECT_TRUE(loan.Enabled(kIdLoanAmount));
    EXPECT_EQ(Ini(app, "Locked1"), "<missing>");
    ASSERT_TRUE(app.Close());
}

TEST(LoanWindow, StoredValuesFromOutsideFallBack) {
    TallymaxApp app;
    app.WriteIni(
        "[Loan Settings]\r\nName1=A\r\nPrincipal1=1000\r\nInterest1=12\r\nYears1=1\r\n"
        "StartDate1=02-30-2025\r\nCompoundingPeriods1=9\r\n"
        "Name2=B\r\nPrincipal2=1000\r\nInterest2=12\r\nYears2=1\r\n"
        "StartDate2=11-05-2024\r\nCompoundingPeriods2=-1\r\n");
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    SYSTEMTIME today;
    GetLocalTime(&today);
    SYSTEMTIME date = loan.Date();
    EXPECT_EQ(date.wYear, today.wYear);
    EXPECT_EQ(date.wMonth, today.wMonth);
    EXPECT_EQ(date.wDay, today.wDay);
    EXPECT_EQ(loan.Option(), 2);
    loan.Click(kIdLoanCalculate);
    EXPECT_EQ(Ini(app, "CompoundingPeriods1"), "2");
    loan.ChooseOption(4);
    loan.Select(1);
    EXPECT_EQ(loan.Option(), 4);  // kept
    EXPECT_EQ(loan.Cell(0, 1), "11/2024");
    EXPECT_EQ(loan.Cell(2, 1), "01/2025");
    ASSERT_TRUE(app.Close());
}

TEST(LoanWindow, UnusableInputsAreNamedAndFocusedAndComputeNothing) {
    TallymaxApp app;
    app.WriteIni(
        "[Loan Settings]\r\nName1=A\r\nPrincipal1=1000\r\nInterest1=12\r\nYears1=1\r\n"
        "StartDate1=01-15-2025\r\n");
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    ASSERT_EQ(loan.Text(kIdLoanPayment), "$88.85");
    std::string ini = app.Ini();
    size_t tape = app.Tape().size();
    const struct {
        const char *amount, *rate, *years;
        int focus;
        const char* message;  // its start
    } cases[] = {
        {"", "12", "1", kIdLoanAmount, "Amount Financed must be more than $0.00."},
        {"Infinity", "12", "1", kIdLoanAmount, "Amount Financed: \"Infinity\" is not an amount."},
        {"12k", "12", "1", kIdLoanAmount, "Amount Financed: \"12k\" is not an amount."},
        {"1000", "NaN", "1", kIdLoanInterest, "Annual Interest: \"NaN\" is not a rate."},
        {"1000", "-1", "1", kIdLoanInterest, "Annual Interest cannot be below 0 %."},
        {"1000", "12", "0", kIdLoanYears, "Duration of Loan must make at least one"},
        {"1000", "12", ".01", kIdLoanYears, "Duration of Loan must make at least one"},
        {"1000", "12", "1000.5", kIdLoanYears, "Duration of Loan can be at most 1000 years."},
        {"1000", "12", "Infinity", kIdLoanYears, "Duration of Loan: \"Infinity\" is not a"},
    };
    for (const auto& k : cases) {
        std::string name = std::string(k.amount) + " | " + k.rate + " | " + k.years;
        loan.Fill(k.amount, k.rate, k.years);
        loan.PostClick(kIdLoanCalculate);
        std::string caption;
        std::string message = loan.TakeMessage(&caption);
        EXPECT_EQ(message.substr(0, strlen(k.message)), k.message) << name << ": " << message;
        EXPECT_EQ(caption, "Loan Calculator") << name;
        EXPECT_EQ(loan.Results(), "     ") << name;
        EXPECT_EQ(loan.Rows(), 0) << name;
        EXPECT_TRUE(loan.FocusIs(k.focus)) << name;
    }
    EXPECT_EQ(app.Ini(), ini);
    EXPECT_EQ(app.Tape().size(), tape);
    // 1,000 years is the longest loan.
    loan.Fill("1000", "12", "1000");
    loan.Click(kIdLoanCalculate);
    EXPECT_EQ(loan.Rows(), 12000);
    EXPECT_EQ(loan.Cell(11999, 0), "12000");
    // The rate is shown, used and saved with up to four decimals.
    loan.Fill("100000", "6.375", "30");
    loan.Click(kIdLoanCalculate);
    EXPECT_EQ(loan.Text(kIdLoanInterest), "6.375%");
    EXPECT_EQ(loan.Text(kIdLoanPayment), "$623.87");
    EXPECT_EQ(Ini(app, "Interest1"), "6.375");
    EXPECT_EQ(app.Tape()[app.Tape().size() - 12], "Annual Interest: 6.375%");
    ASSERT_TRUE(app.Close());
}

// Every figure on the page belongs to the inputs beside it: a change clears the results,
// Print calculates first, and an input that cannot be calculated is named.
TEST(LoanWindow, ResultsBelongToTheInputsOnThePage) {
    TallymaxApp app;
    app.WriteIni(
        "[Loan Settings]\r\nName1=A\r\nPrincipal1=1000\r\nInterest1=12\r\nYears1=1\r\n"
        "StartDate1=01-15-2025\r\n");
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    const struct {
        int id;
        const char* typed;
    } changes[] = {{kIdLoanAmount, "1250000"}, {kIdLoanInterest, "6.5"}, {kIdLoanYears, "15"}};
    for (const auto& k : changes) {
        loan.Select(0);
        ASSERT_EQ(loan.Text(kIdLoanPayment), "$88.85");
        loan.Type(k.id, k.typed);
        EXPECT_EQ(loan.Results(), "     ") << k.typed;
        EXPECT_EQ(loan.Rows(), 0) << k.typed;
    }
    loan.Select(0);
    loan.ChooseOption(0);
    SendMessageA(loan.window, WM_COMMAND, MAKEWPARAM(kIdLoanCompounding, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(loan.Item(kIdLoanCompounding)));
    EXPECT_EQ(loan.Rows(), 0) << "compounding";

    // Print without Calculate: the report has the figures of the fields as they stand.
    loan.Fill("1250000", "6.5", "15");
    loan.ChooseOption(2);
    loan.PostClick(kIdLoanPrint);
    HWND dialog = app.WaitForWindow("#32770", "Print", 10000);
    ASSERT_NE(dialog, nullptr) << "no Print dialog";
    EXPECT_EQ(loan.Text(kIdLoanPayment), "$10,888.84");
    EXPECT_EQ(loan.Rows(), 180);
    TallymaxApp::PressDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); }));
    app.Settle();

    // 0 years: no silent refusal, and nothing to print.
    loan.Type(kIdLoanYears, "0");
    loan.PostClick(kIdLoanPrint);
    std::string caption;
    std::string text = loan.TakeMessage(&caption);
    EXPECT_EQ(text.substr(0, 45), "Duration of Loan must make at least one month") << text;
    EXPECT_EQ(caption, "Loan Calculator");
    EXPECT_EQ(app.WaitForWindow("#32770", "Print", 500), nullptr);
    EXPECT_EQ(loan.Results(), "     ");
    EXPECT_TRUE(loan.FocusIs(kIdLoanYears));
    ASSERT_TRUE(app.Close());
}

// A 30-year loan and an interest-free one side by side: rows 1, 12 and 360 and the
// totals foot to the cent.
TEST(LoanWindow, ThirtyYearAndInterestFreeSchedulesFoot) {
    TallymaxApp app;
    app.WriteIni(
        "[Loan Settings]\r\nName1=House\r\nPrincipal1=100000\r\nInterest1=8.25\r\n"
        "Years1=30\r\nStartDate1=01-15-2025\r\nName2=Promo\r\nPrincipal2=100000\r\n"
        "Interest2=0\r\nYears2=30\r\nStartDate2=01-15-2025\r\n");
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    const struct {
        const char *results, *row1, *row12, *row360;
    } loans[] = {
        {kWorkedResults, kRow1, "12 12/2025 $68.76 $682.51 $794.84 $8,220.40 $99,205.16", kRow360},
        {"$277.78 360 $3,333.36 $100,000.00 $0.00 $100,000.00",
         "1 01/2025 $277.78 $0.00 $277.78 $0.00 $99,722.22",
         "12 12/2025 $277.78 $0.00 $3,333.36 $0.00 $96,666.64",
         "360 12/2054 $276.98 $0.00 $100,000.00 $0.00 $0.00"},
    };
    for (int entry = 0; entry < 2; ++entry) {
        const auto& k = loans[entry];
        loan.Select(entry);
        EXPECT_EQ(loan.Results(), k.results) << entry;
        ASSERT_EQ(loan.Rows(), 360) << entry;
        EXPECT_EQ(loan.Row(1), k.row1);
        EXPECT_EQ(loan.Row(12), k.row12);
        EXPECT_EQ(loan.Row(360), k.row360);
    }
    EXPECT_EQ(loan.Text(kIdLoanInterest), "0.00%");
    ASSERT_TRUE(app.Close());
}

// ---- The printed report, read back from the PDF printer's file ----

Lines Words(const std::string& line) {
    Lines words;
    size_t at = 0;
    while ((at = line.find_first_not_of(" \t\r", at)) != std::string::npos) {
        size_t end = line.find_first_of(" \t\r", at);
        if (end == std::string::npos) end = line.size();
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string Joined(const Lines& words) {
    std::string s;
    for (const std::string& w : words) s += (s.empty() ? "" : " ") + w;
    return s;
}

// Each page's lines as pdftotext gives them (pages end in a form feed).
std::vector<Lines> PdfPages(const std::string& text) {
    std::vector<Lines> pages(1);
    std::string line;
    for (char c : text) {
        if (c == '\f') {
            if (!line.empty()) pages.back().push_back(line);
            line.clear();
            pages.emplace_back();
        } else if (c == '\n') {
            pages.back().push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) pages.back().push_back(line);
    while (!pages.empty() && pages.back().empty()) pages.pop_back();
    return pages;
}

// "$1,234.56" in cents; -1 for a text that is not money.
long long Cents(const std::string& money) {
    long long cents = 0;
    int digits = 0;
    for (char c : money) {
        if (c >= '0' && c <= '9') {
            cents = cents * 10 + (c - '0');
            ++digits;
        } else if (c != '$' && c != ',' && c != '.') {
            return -1;
        }
    }
    return digits > 0 && money.find('.') == money.size() - 3 ? cents : -1;
}

bool IsScheduleRow(const Lines& words) {
    return words.size() == 7 && words[1].size() == 7 && words[1][2] == '/' &&
           words[0].find_first_not_of("0123456789") == std::string::npos;
}

TEST(LoanWindow, ReportOfTheThirtyYearLoanOnThePdfPrinter) {
    std::string unixDir = EmptiedPdfFolder();
    if (unixDir.empty()) GTEST_SKIP() << "no PDF printer queue in this environment";
    std::string winDir = ToWindowsPath(unixDir);

    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    ASSERT_TRUE(loan.Add("House"));
    // Not calculated: Print calculates the fields as they stand.
    loan.TypeWorkedExample();
    ASSERT_EQ(loan.Rows(), 0);

    // Cancel prints nothing and says nothing.
    loan.PostClick(kIdLoanPrint);
    HWND dialog = app.WaitForWindow("#32770", "Print");
    ASSERT_NE(dialog, nullptr) << "no Print dialog";
    EXPECT_FALSE(IsWindowEnabled(app.Main()));
    TallymaxApp::PressDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); }));
    app.Settle();
    EXPECT_EQ(app.WaitForWindow("#32770", "", 500), nullptr);
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    EXPECT_TRUE(IsWindowEnabled(loan.window));
    EXPECT_EQ(loan.Rows(), 360);
    EXPECT_EQ(loan.Results(), kWorkedResults);

    loan.PostClick(kIdLoanPrint);
    dialog = app.WaitForWindow("#32770", "Print");
    ASSERT_NE(dialog, nullptr) << "no Print dialog";
    TallymaxApp::PressDialogButton(dialog, IDOK);
    std::string pdf;
    ASSERT_TRUE(WaitForPdf(unixDir, pdf)) << "no PDF in " << unixDir;
    EXPECT_EQ(app.WaitForWindow("#32770", "", 300), nullptr) << "a message after printing";
    std::string unixPdf = unixDir + "/" + pdf;
    std::string script = "pdfinfo '" + unixPdf + "' | sed -n 's/^Pages: *//p' > '" + unixDir +
                         "/check-pages.txt'\n" +
                         PdfToTextCommand(unixPdf, unixDir + "/check-text.txt");
    ASSERT_TRUE(RunCheckScript(unixDir, script));
    int pageCount = atoi(ReadFileBytes(winDir + "\\check-pages.txt").c_str());
    std::string text = ReadFileBytes(winDir + "\\check-text.txt");
    std::vector<Lines> pages = PdfPages(text);
    ASSERT_GE(pageCount, 2) << text;
    ASSERT_EQ(static_cast<int>(pages.size()), pageCount) << text;

    EXPECT_EQ(Joined(Words(pages[0][0])), "Loan Analysis...");
    EXPECT_EQ(Words(pages[0][1]).at(0), "(Printed");
    std::vector<int> rowsOnPage;
    Lines firstRow, lastRow;
    int number = 0;
    long long principal = 0, interest = 0;  // the printed cells, added up
    for (int p = 0; p < pageCount; ++p) {
        const Lines& page = pages[static_cast<size_t>(p)];
        int rows = 0, continued = 0;
        std::string foot;
        for (const std::string& line : page) {
            Lines words = Words(line);
            if (words.empty()) continue;
            if (IsScheduleRow(words)) {
                ++rows;
                EXPECT_EQ(words[0], std::to_string(++number)) << "page " << p + 1;
                principal += Cents(words[2]);
                interest += Cents(words[3]);
                if (firstRow.empty()) firstRow = words;
                lastRow = words;
            }
            if (Joined(words) == "(Continued)") ++continued;
            foot = Joined(words);
        }
        rowsOnPage.push_back(rows);
        EXPECT_EQ(foot, "Page " + std::to_string(p + 1)) << "foot of page " << p + 1;
        EXPECT_EQ(continued, p == 0 ? 0 : 1) << "page " << p + 1;
        if (p > 0) {
            EXPECT_EQ(Joined(Words(page[0])), "Amortization Schedule") << "page " << p + 1;
        }
    }
    EXPECT_EQ(number, 360);
    EXPECT_EQ(Joined(firstRow), kRow1);
    EXPECT_EQ(Joined(lastRow), kRow360);
    // The schedule foots: the columns add up to the last running totals, and the interest
    // to the finance charges of the analysis.
    ASSERT_EQ(lastRow.size(), 7u);
    EXPECT_EQ(principal, Cents(lastRow[4]));
    EXPECT_EQ(interest, Cents(lastRow[5]));
    std::string charges;
    for (const std::string& line : pages[0])
        if (line.find("Finance Charges:") != std::string::npos) charges = Words(line).back();
    EXPECT_EQ(interest, Cents(charges)) << charges;
    // Page 1 holds L - 30 rows, every further full page L - 10.
    for (int p = 1; p + 1 < pageCount; ++p)
        EXPECT_EQ(rowsOnPage[static_cast<size_t>(p)], rowsOnPage[0] + 20) << "page " << p + 1;
    std::cout << "[ report ] " << pageCount << " pages, " << rowsOnPage[0] << " rows on page 1, "
              << (pageCount > 2 ? rowsOnPage[1] : 0) << " on the next\n";
    ASSERT_TRUE(app.Close());
}

TEST(LoanWindow, AReportThePrinterRefusesIsReported) {
    const char* queue = getenv("PRINTER");
    const char* pdfDir = getenv("TALLYMAX_PDF_DIR");
    if (!queue || !*queue || !pdfDir || !*pdfDir)
        GTEST_SKIP() << "no printer queue of this session";
    std::string q = queue;
    RunUnix("cupsreject " + q);
    TallymaxApp app;
    app.WriteIni("[Loan Settings]\r\nName1=A\r\nPrincipal1=1000\r\nInterest1=12\r\nYears1=1\r\n");
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    loan.PostClick(kIdLoanPrint);
    HWND dialog = app.WaitForWindow("#32770", "Print");
    ASSERT_NE(dialog, nullptr) << "no Print dialog";
    TallymaxApp::PressDialogButton(dialog, IDOK);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); }));
    HWND box = app.WaitForWindow("#32770", "Print Loan Report");
    RunUnix("cupsaccept " + q);
    ASSERT_NE(box, nullptr) << "no failure message";
    EXPECT_EQ(GetWindow(box, GW_OWNER), loan.window);
    std::string caption;
    EXPECT_EQ(loan.TakeMessage(&caption), "The loan report could not be printed.");
    ASSERT_TRUE(app.Close());
}

}  // namespace

TEST(LoanWindow, AKilledProfileSaveLeavesTheOldOrTheNewFile) {
    // A long comment makes each write of the file take a while.
    std::string old;
    for (int i = 0; i < 20000; ++i)
        old += "; notes kept by the user, line " + std::to_string(i) + "\r\n";
    old +=
        "[Loan Settings]\r\nName1=House\r\nPrincipal1=100000\r\nInterest1=8.25\r\nYears1=30\r\n"
        "StartDate1=01-15-2025\r\nCompoundingPeriods1=2\r\nLocked1=0\r\n";
    std::string fresh;
    std::mt19937 random(1209);
    int olds = 0, news = 0;
    for (int round = 0; round < 6; ++round) {
        TallymaxApp app;
        app.WriteIni(old);
        ASSERT_TRUE(app.Start()) << "round " << round;
        Loan loan(app);
        ASSERT_TRUE(loan.Open()) << "round " << round;
        loan.Select(0);
        if (round == 0) {
            // Start-up has added the main settings; that file is the old version.
            old = app.Ini();
            fresh = old;
            size_t at = fresh.find("Principal1=100000");
            ASSERT_NE(at, std::string::npos);
            fresh.replace(at, 17, "Principal1=200000");
        }
        app.WriteIni(old);
        loan.Type(kIdLoanAmount, "200000");
        // Each Calculate saves the profile, one key per file write.
        for (int i = 0; i < 6; ++i) loan.PostClick(kIdLoanCalculate);
        Sleep(random() % 700);
        app.Kill();
        std::string kept = app.Ini();
        EXPECT_TRUE(kept == old || kept == fresh)
            << "round " << round << ": " << kept.size() << " bytes, not a whole version";
        (kept == old ? olds : news) += 1;
    }
    std::printf("killed profile saves left %d old and %d new files\n", olds, news);
}

TEST(LoanWindow, TheInputBoxComesUpOverADisabledLoanWindow) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    Loan loan(app);
    ASSERT_TRUE(loan.Open());
    app.Settle();
    HANDLE thread =
        OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(loan.window, nullptr));
    ASSERT_NE(thread, nullptr);
    loan.PostClick(kIdLoanAdd);
    // The box is made hidden and then shown; the program is held still the moment it
    // shows, and the loan window must be disabled by then.
    HWND box = nullptr;
    ASSERT_TRUE(TallymaxApp::WaitUntil(
        [&] { return (box = FindWindowA("FORM_TALLYMAX_INPUTBOX_CLASS", nullptr)) != nullptr; }));
    while (IsWindow(box) && !IsWindowVisible(box)) {
    }
    SuspendThread(thread);
    const bool loanEnabled = IsWindowEnabled(loan.window) != 0;
    const bool mainEnabled = IsWindowEnabled(app.Main()) != 0;
    ResumeThread(thread);
    CloseHandle(thread);
    EXPECT_FALSE(loanEnabled) << "the loan window still took clicks while the box came up";
    EXPECT_FALSE(mainEnabled);
    TallymaxApp::PressDialogButton(box, IDCANCEL);
    EXPECT_TRUE(Gone(box));
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return IsWindowEnabled(loan.window) != 0; }));
}
