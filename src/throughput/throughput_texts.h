// The fixed texts of the throughput window: the help box and the version label.
#pragma once

inline constexpr const char* kThroughputHelpCaption = "Quorvel Help";
extern const char* const kThroughputHelpText;
extern const char* const kThroughputVersionLabel;
