// What every window of the program is made of: fonts, a table of controls created in
// one call, control texts, centring, the modal loop, single tool windows, the lift out
// of the topmost band around boxes and common dialogs, and the input box.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// ---- Screen scale ----

// Every window is designed in the pixels of a 96-DPI screen. On a denser screen each
// position, size and font height is scaled by ProgramDpi() / 96 where control tables
// and fonts become windows; at 96 DPI nothing changes.
int ProgramDpi();
// The main window's monitor changed its DPI: windows made from now on follow it.
void SetProgramDpi(int dpi);
int Scaled(int designPixels);
// The other way: screen pixels in design pixels.
int Unscaled(int screenPixels);

// ---- Fonts ----

// A font by face, character height in pixels and weight.
struct FontDef {
    const char* face;
    int height;
    int weight = FW_NORMAL;
    bool underline = false;
    bool italic = false;
};

// Scaled to the screen (ProgramDpi).
HFONT MakeFont(const FontDef& def);

// The fonts a window owns, released with it (or when this record goes).
struct WindowFonts {
    WindowFonts() = default;
    WindowFonts(const WindowFonts&) = delete;
    WindowFonts& operator=(const WindowFonts&) = delete;
    ~WindowFonts() { Release(); }

    // Makes every font of `defs`, in order; Font(i) is the i-th.
    void Make(const std::vector<FontDef>& defs);
    void Release();
    HFONT Font(int index) const;

    std::vector<HFONT> fonts;
};

// ---- Controls from a table ----

enum ControlFlags : unsigned {
    kHidden = 1,    // created without WS_VISIBLE
    kDisabled = 2,  // created with WS_DISABLED
    kNoFont = 4,    // keeps the class's own font
};

// One row of a window's control table: class, caption, id, place, size, style, font.
struct ControlDef {
    const char* className;  // "BUTTON", "EDIT", "STATIC", WC_TREEVIEWA ...
    const char* caption;
    int id;
    int x, y, w, h;
    DWORD style;  // besides WS_CHILD and WS_VISIBLE
    DWORD exStyle = 0;
    int font = 0;  // index into the window's fonts
    unsigned flags = 0;
};

// Creates the controls of `table` on `parent` in table order (which is the tab order),
// each with its font from `fonts`, at its place scaled to the screen.
void CreateControls(HWND parent, const ControlDef* table, std::size_t count,
                    const WindowFonts& fonts);
template <std::size_t N>
void CreateControls(HWND parent, const ControlDef (&table)[N], const WindowFonts& fonts) {
    CreateControls(parent, table, N, fonts);
}

// Shows the program's icon in the SS_ICON static `id`.
void SetProgramIcon(HWND parent, int id);

// The answer to WM_CTLCOLORSTATIC for labels and boxes that sit on the dialog face.
LRESULT OnDialogFace(WPARAM dc);

// One child control outside a table.
HWND AddControl(HWND parent, const ControlDef& def, HFONT font);
// Puts the controls of `table` back at their scaled places with their fonts, after a
// change of the screen's DPI.
void PlaceControls(HWND parent, const ControlDef* table, std::size_t count,
                   const WindowFonts& fonts);
template <std::size_t N>
void PlaceControls(HWND parent, const ControlDef (&table)[N], const WindowFonts& fonts) {
    PlaceControls(parent, table, N, fonts);
}

std::string WindowText(HWND window);
// The text of item `index` of a list box that keeps strings, "" outside the list. Read
// as wide text and converted here: Wine converts an ANSI read of a subclassed list
// through a fixed 512-character buffer on its stack, which a longer line overruns.
std::string ListItemText(HWND list, int index);
// The same text, as the list holds it.
std::wstring ListItemWideText(HWND list, int index);
// Text of the program's code page as wide text, for the controls and clients that ask
// for it so.
std::wstring WideText(const std::string& text);
// Opens the clipboard (no owner), trying a few times over 50 ms: another program may
// hold it for a moment. False when it stays held.
bool OpenClipboardPatiently();
// Joins the window thread to a single-threaded COM apartment, once, for the shell's
// folder picker and the accessible objects: it stays in it for the rest of the run.
// False when COM cannot be had.
bool JoinComOnWindowThread();
std::string ItemText(HWND parent, int id);
void SetItemText(HWND parent, int id, const std::string& text);
void SetCheck(HWND parent, int id, bool on);
bool IsChecked(HWND parent, int id);
void EnableItem(HWND parent, int id, bool on);

// ---- Window classes and placement ----

// Registers `name` once with the program icon, the arrow cursor and the dialog face
// colour; true when it is registered.
bool RegisterProgramWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure);

// Registers a custom control's class once: global, redrawn whole when resized, with
// `extraBytes` of window memory and no background brush of its own.
bool RegisterControlClass(const char* name, WNDPROC procedure, int extraBytes);

// A custom control's record lives in the first slot of its window memory and, for
// whoever holds only the window, under the property "FLY_PTR" too.
template <typename T>
T* ControlRecord(HWND control) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(control, 0));
}
void AttachControlRecord(HWND control, void* record);
// In WM_NCDESTROY, before the record is freed.
void DetachControlRecord(HWND control);

// A centred dialog-framed pop-up of the program class `className` (registered here
// with `procedure`), owned by `owner`; `data` reaches the procedure (WindowData).
HWND CreateDialogWindow(const char* className, WNDPROC procedure, const char* caption,
                        int outerWidth, int outerHeight, HWND owner, void* data);

// The top-left corner that centres a window of this outer size on the screen.
POINT CentredOnScreen(int outerWidth, int outerHeight);

// Stores `data` with the window at WM_NCCREATE (from lpCreateParams) and gives it
// back afterwards; a window procedure starts with
// `auto* d = WindowData<T>(window, message, lParam);`.
void* WindowDataOf(HWND window, UINT message, LPARAM lParam);
template <typename T>
T* WindowData(HWND window, UINT message, LPARAM lParam) {
    return static_cast<T*>(WindowDataOf(window, message, lParam));
}

// The same for a window that owns its record: it is created with `&record` (a
// std::unique_ptr<T>) as its creation parameter and takes the record at WM_NCCREATE;
// if creation fails before that, the unique_ptr still frees it. FreeOwnedWindowData
// in WM_NCDESTROY frees it with the window.
template <typename T>
T* OwnedWindowData(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* record = static_cast<std::unique_ptr<T>*>(
            reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        T* data = record->release();
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
        return data;
    }
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
template <typename T>
void FreeOwnedWindowData(HWND window, T* data) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    delete data;
}

// ---- Modality ----

// Disables every enabled top-level window of the program but `except` for as long as
// it lives, and enables them again afterwards.
class ProgramModal {
  public:
    explicit ProgramModal(HWND except = nullptr);
    ~ProgramModal();
    ProgramModal(const ProgramModal&) = delete;
    ProgramModal& operator=(const ProgramModal&) = delete;
    // Enables the windows again now (before the modal window goes, so that activation
    // returns to its owner and not to another program).
    void Release();

  private:
    std::vector<HWND> disabled_;
};

// While it lives, an always-on-top main window leaves the topmost band so that a
// box or common dialog never opens behind it.
class TopmostGuard {
  public:
    TopmostGuard();
    ~TopmostGuard();
    TopmostGuard(const TopmostGuard&) = delete;
    TopmostGuard& operator=(const TopmostGuard&) = delete;

  private:
    HWND lifted_ = nullptr;
};

// Runs the modal loop of `window` until `done` is set or the window is gone, then
// destroys it: every other window of the program is disabled meanwhile; afterwards the
// owner is activated and `focusAfter`, when given, gets the focus back. A quit message
// ends the loop and is posted again.
void RunModalLoop(HWND window, const bool& done, HWND focusAfter = nullptr);
// The same with the other windows already disabled by `modal`, made before `window`
// was shown (as a dialog box does it), so that no other window takes a click while
// the modal one appears.
void RunModalLoop(HWND window, const bool& done, HWND focusAfter, ProgramModal& modal);

// Ends the modal loop of `window` at once: the other windows are enabled again and the
// window is destroyed, so that what follows in the caller runs with the window gone.
void EndModalWindow(HWND window);

// A message box owned by `owner` that keeps the whole program modal and stays out of
// the topmost band's way.
int ShowMessageFrom(HWND owner, const std::string& text, const std::string& caption, UINT style);

// ---- Tool windows ----

// Where a single-instance tool window lives while it is open.
struct ToolWindowSlot {
    HWND window = nullptr;
};

// When the slot's window is open, restores it, brings it to the front, gives it the
// focus and returns true.
bool BringToolWindowForward(ToolWindowSlot& slot);

// Records a newly created tool window in its slot, to be destroyed with the main window.
// The slot is emptied when the window is destroyed (ToolWindowDestroyed).
void AdoptToolWindow(ToolWindowSlot& slot, HWND window);
// Call from the tool window's WM_DESTROY.
void ToolWindowDestroyed(HWND window);
// Destroys every open tool window.
void CloseAllToolWindows();

// ---- Input box ----

// Asks for a line of text (up to 255 characters) in a box owned by `owner` and modal to
// the whole program. True with the text on "OK" or Enter, false on "Cancel", Escape or
// the close box.
bool AskForText(HWND owner, const std::string& caption, const std::string& prompt,
                const std::string& initial, std::string& answer);
