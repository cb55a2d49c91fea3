// The modal "About Tallymax" window (Help > About).
#pragma once

#include <windows.h>

inline constexpr char kAboutWindowClass[] = "FORM_TALLYMAX_ABOUT_CLASS";

// The maker's web address behind the window's link.
inline constexpr char kMakerWebAddress[] = "https://www.korvalen.example/tallymax";

enum AboutControlId : int {
    kIdAboutIcon = 1000,
    kIdAboutName = 1001,
    kIdAboutVersion = 1002,
    kIdAboutWebLabel = 1003,
    kIdAboutLink = 1004,
    // "Ok" is IDOK (1).
};

// Shows the window over `owner`, which stays disabled until "Ok", Escape or the close
// box closes it.
void ShowAboutWindow(HWND owner);
