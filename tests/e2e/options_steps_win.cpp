#include "options_steps_win.h"

#include "settings/options_dialog_win.h"
#include "ui/control_ids.h"

HWND OpenOptions(TallymaxApp& app) {
    app.PostMenu(kMenuOptions);
    return app.WaitForWindow(kOptionsWindowClass, "Tallymax Options");
}

std::string TaxRateShown(TallymaxApp& app) {
    HWND dialog = OpenOptions(app);
    if (!dialog) return "<no dialog>";
    std::string rate = TallymaxApp::WindowTextOf(GetDlgItem(dialog, kIdOptionsTaxField));
    SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); });
    return rate;
}
