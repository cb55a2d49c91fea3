// Control ids of the "Quorvel" window and its options dialog.
#pragma once

#include <windows.h>

inline constexpr const char* kThroughputWindowClass = "FORM_TALLYMAX_MAINQVL_CLASS";
inline constexpr const char* kTestOptionsWindowClass = "FORM_TALLYMAX_OPTIONSQVL_CLASS";

enum ThroughputControlId {
    kIdQvlHelp = 1000,
    kIdQvlPickFolder = 1001,
    kIdQvlMbpsLabel = 1002,
    kIdQvlStatusLabel = 1003,
    kIdQvlStatus = 1004,
    kIdQvlReadingHeading = 1005,
    kIdQvlReadBits = 1006,
    kIdQvlReadMbps = 1007,
    kIdQvlWritingHeading = 1008,
    kIdQvlIpAddress = 1009,
    kIdQvlTarget = 1010,
    kIdQvlVersion = 1011,
    kIdQvlComputerName = 1012,
    kIdQvlComputerNameLabel = 1013,
    kIdQvlIpAddressLabel = 1014,
    kIdQvlTargetLabel = 1015,
    kIdQvlWriteBytes = 1016,
    kIdQvlWriteBits = 1017,
    kIdQvlWriteTime = 1018,
    kIdQvlPacketLabel = 1019,
    kIdQvlTimeLabel = 1020,
    kIdQvlBytesLabel = 1021,
    kIdQvlReadPacket = 1022,
    kIdQvlReadTime = 1023,
    kIdQvlReadBytes = 1024,
    kIdQvlWriteMbps = 1025,
    kIdQvlBitsLabel = 1026,
    kIdQvlWritePacket = 1027,
    kIdQvlPrint = 1028,
    kIdQvlExit = IDCANCEL,
    kIdQvlStart = IDOK,
};

enum TestOptionsControlId {
    kIdQvlOptionsSizeLabel = 1000,
    kIdQvlOptionsSize = 1001,
    kIdQvlOptionsDelete = 1002,
    kIdQvlOptionsOk = IDOK,
    kIdQvlOptionsCancel = IDCANCEL,
};
