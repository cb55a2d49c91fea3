// The settings file as the first start writes it: every "Main Settings" key in order
// with its default. Unit and end-to-end tests compare against the same text.
#pragma once

inline constexpr char kFirstStartIni[] =
    "[Main Settings]\r\n"
    "Group 1 Color=16711680\r\n"
    "Group 2 Color=255\r\n"
    "Group 3 Color=16711935\r\n"
    "ShowTape=1\r\n"
    "ShowStatusBar=1\r\n"
    "ShowStopWatch=1\r\n"
    "Digit Grouping=1\r\n"
    "Decimal Setting1=10\r\n"
    "Decimal Setting2=10\r\n"
    "Auto Decimal=0\r\n"
    "TaxRate=0\r\n"
    "TopMost=0\r\n"
    "LT10Key=0\r\n"
    "CalcMode=0\r\n";
