// The conversion pop-up beside the "Cnv" key: modal, captionless.
#pragma once

inline constexpr char kConversionWindowClass[] = "FORM_TALLYMAX_CONVERT_CLASS";

enum ConversionControlId : int {
    kIdConversionTree = 1000,
};

// The "Cnv" key: converts the display into the units of a category chosen in the tree.
void OpenConversionWindow();
