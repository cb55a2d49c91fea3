// The "Volume Calculator" window's class and control ids.
#pragma once

inline constexpr char kVolumeWindowClass[] = "FORM_TALLYMAX_VOLUME_CLASS";

enum VolumeControlId : int {
    kIdVolumeSystemFrame = 1000,
    kIdVolumeStandard = 1001,
    kIdVolumeMetric = 1002,
    kIdVolumeLengthLabel = 1003,
    kIdVolumeLength = 1004,
    kIdVolumeLengthUnit = 1005,
    kIdVolumeWidthLabel = 1006,
    kIdVolumeWidth = 1007,
    kIdVolumeWidthUnit = 1008,
    kIdVolumeDepthLabel = 1009,
    kIdVolumeDepth = 1010,
    kIdVolumeDepthUnit = 1011,
    kIdVolumeResultLabel = 1012,
    kIdVolumeResult = 1013,
    kIdVolumeResultUnit = 1014,
    kIdVolumeExample = 1015,
    kIdVolumeCalculate = 1016,
    kIdVolumeClear = 1017,
    kIdVolumeClose = 1018,
};
