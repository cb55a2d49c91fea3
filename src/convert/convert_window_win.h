// The conversion pop-up beside the "Cnv" key: modal, captionless.
#pragma once

// The "Cnv" key: converts the display into the units of a category chosen in the tree.
void OpenConversionWindow();
