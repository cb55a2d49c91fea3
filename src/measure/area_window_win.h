// The "Area Calculator" window's class and control ids.
#pragma once

inline constexpr char kAreaWindowClass[] = "FORM_TALLYMAX_AREA_CLASS";

enum AreaControlId : int {
    kIdAreaSystemFrame = 1000,
    kIdAreaStandard = 1001,
    kIdAreaMetric = 1002,
    kIdAreaLengthLabel = 1003,
    kIdAreaLength = 1004,
    kIdAreaLengthUnit = 1005,
    kIdAreaWidthLabel = 1006,
    kIdAreaWidth = 1007,
    kIdAreaWidthUnit = 1008,
    kIdAreaResultLabel = 1009,
    kIdAreaResult = 1010,
    kIdAreaResultUnit = 1011,
    kIdAreaCalculate = 1012,
    kIdAreaClear = 1013,
    kIdAreaClose = 1014,
};
