// The "Loan Calculator" window: modeless, single, owned by the main window.
#pragma once

// The "Loan" key: opens the window, or brings an open one to the front.
void OpenLoanWindow();
