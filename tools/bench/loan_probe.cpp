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

namespace {

constexpr int kIdLoanKey = 1029;  // the main window's "Loan" key
constexpr int kIdAmount = 1001, kIdInterest = 1003, kIdYears = 1005;
constexpr int kIdCalculate = 1028, kIdClear = 1030, kIdSchedule = 1033;

struct Find {
    DWORD pid;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindProc(HWND h, LPARAM p) {
    auto* f = reinterpret_cast<Find*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[128] = "";
    GetClassNameA(h, cls, sizeof cls);
    if (pid == f->pid && strcmp(cls, f->cls) == 0 && IsWindowVisible(h)) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD pid, const char* cls) {
    Find f{pid, cls, nullptr};
    for (int i = 0; i < 10000 && !f.found; ++i) {
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&f));
        if (!f.found) Sleep(1);
    }
    return f.found;
}

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
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    std::string cmd = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return 3;
    HWND main = WaitForWindow(pi.dwProcessId, "FORM_TALLYMAX_FORM1_CLASS");
    WaitForInputIdle(pi.hProcess, 10000);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kIdLoanKey, BN_CLICKED), 0);
    HWND loan = WaitForWindow(pi.dwProcessId, "FORM_TALLYMAX_LOAN_CLASS");
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
    PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return 0;
}
