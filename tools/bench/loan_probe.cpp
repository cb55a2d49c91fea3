// Times the loan window's "Calculate" from the click until the schedule list has
// painted (the window paints the list before the click returns), for a 30-year and a
// 1,000-year loan, interleaved with "Clear" as the anchor of the same run.
// Usage: loan_probe.exe <tallymax.exe in a folder of its own> <runs>
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "program_window.h"

namespace {

constexpr int kIdLoanKey = 1029;  // the main window's "Loan" key
constexpr int kIdAmount = 1001, kIdInterest = 1003, kIdYears = 1005;
constexpr int kIdCalculate = 1028, kIdClear = 1030, kIdSchedule = 1033;

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * t.QuadPart / freq.QuadPart;
}

double Click(HWND window, int id) {
    double t0 = Now();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    return Now() - t0;
}

void SetText(HWND window, int id, const char* text) {
    SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string exe = argv[1];
    int runs = atoi(argv[2]);
    PROCESS_INFORMATION pi = {};
    if (!StartProgram(exe, nullptr, &pi)) return 3;
    HWND main = WaitForProgramWindow(pi.dwProcessId, "FORM_TALLYMAX_FORM1_CLASS", 10000);
    WaitForInputIdle(pi.hProcess, 10000);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kIdLoanKey, BN_CLICKED), 0);
    HWND loan = WaitForProgramWindow(pi.dwProcessId, "FORM_TALLYMAX_LOAN_CLASS", 10000);
    if (!main || !loan) return 4;

    std::vector<double> clear, short30, long1000;
    for (int i = 0; i <= runs; ++i) {  // the first round warms up
        double c = Click(loan, kIdClear);
        SetText(loan, kIdAmount, "100000");
        SetText(loan, kIdInterest, "8.25");
        SetText(loan, kIdYears, "30");
        double s = Click(loan, kIdCalculate);
        int rowsShort =
            static_cast<int>(SendDlgItemMessageA(loan, kIdSchedule, LVM_GETITEMCOUNT, 0, 0));
        SetText(loan, kIdYears, "1000");
        double l = Click(loan, kIdCalculate);
        int rowsLong =
            static_cast<int>(SendDlgItemMessageA(loan, kIdSchedule, LVM_GETITEMCOUNT, 0, 0));
        if (rowsShort != 360 || rowsLong != 12000) {
            printf("unexpected row counts %d and %d\n", rowsShort, rowsLong);
            TerminateProcess(pi.hProcess, 1);
            return 5;
        }
        if (i == 0) continue;
        clear.push_back(c);
        short30.push_back(s);
        long1000.push_back(l);
    }
    printf("Clear (anchor):              median %6.2f ms\n", Median(clear));
    printf("Calculate, 360 payments:     median %6.2f ms\n", Median(short30));
    printf("Calculate, 12,000 payments:  median %6.2f ms\n", Median(long1000));
    printf("over %d interleaved runs\n", runs);
    CloseProgram(pi, main, 5000);
    return 0;
}
