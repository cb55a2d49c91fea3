#include "help/help_texts.h"

#include <initializer_list>

namespace {

// The text pane wraps long lines itself, so a paragraph is one line here.
std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

const char kLaptopMap[] =
    "'M'=0, 'J'=1, 'K'=2, 'L'=3, 'U'=4, 'I'=5, 'O'=6, '7'..'9' = 7..9, '0' = divide, "
    "'/' = +, ';' = -, 'P' = multiply";

std::string OverviewText() {
    return Lines({
        "Tallymax is a printing calculator for your desktop. It works like an adding machine "
        "with a paper tape: every number, operator and result is written on the tape to the "
        "right of the keypad, where you can look back over your work, save it, load it again "
        "or print it. You can use it with the mouse or entirely from the keyboard.",
        "",
        "Some of Tallymax's Features include...",
        "",
        "\x95 Portable: runs from any folder or removable drive, no installation needed. All "
        "settings are kept in one file, Tallymax.ini.",
        "\x95 Laptop 10 Key support: letter keys work as a numeric keypad, without the need for "
        "Num Lock to be on.",
        "\x95 Calculator Mode or Adding Machine Mode.",
        "\x95 Throughput test: measures how fast a drive, a network folder or a test server "
        "writes and reads data.",
        "\x95 Decimal, Binary, Hexadecimal and Octal number systems, with conversion between "
        "them.",
        "\x95 Coloured paper tape (negative lines red, notes blue) that can be printed, saved, "
        "loaded back and hidden.",
        "\x95 Loan calculator with a printable amortization schedule, several compounding "
        "options and up to 20 loan profiles.",
        "\x95 Area and volume calculators in metric or standard units, with mixed units (feet by "
        "inches, meters by centimeters).",
        "\x95 Over 60 unit conversions in Temperature, Length, Volume, Weight, Area, Speed and "
        "Time.",
        "\x95 Floating point, fixed (0 to 4 places) and automatic decimals.",
        "\x95 Tax and Change buttons.",
        "\x95 Two memory banks, kept in the settings file so that they are still there the next "
        "time you start.",
        "\x95 Repeat entry in Adding Machine Mode.",
        "\x95 Tool tips on the buttons.",
        "\x95 Always on top of other windows.",
        "\x95 Automatic average in the status bar.",
        "\x95 Stopwatch with lap times written to the tape.",
        "\x95 Item count.",
        "",
        "Expand and click on an item for instructions.",
    });
}

std::string MenuItemsText() {
    return Lines({
        "Tallymax has four menus: File, Edit, View and Help.",
        "",
        "Expand \"Menu Items\" and click on a menu to read about its items.",
    });
}

std::string FileMenuText() {
    return Lines({
        "Save Tape",
        "Saves the tape in a text file. The first time, TallymaxTape.txt in the program's folder "
        "is offered; after that, the last file you saved or loaded. The file holds a dated "
        "header, every tape line, the number in the display and the last total.",
        "",
        "Load Tape",
        "Reads a saved tape file back. Its lines are added after the lines already on the tape, "
        "the display shows the saved number and the last total is restored, so that = and Chg "
        "carry on from where you saved.",
        "",
        "Print Tape",
        "Prints the tape with a dated header on the printer you choose. Negative lines are "
        "printed in red.",
        "",
        "Show Tape",
        "Shows or hides the paper tape. The tape keeps being updated while it is hidden, so "
        "nothing is lost: show it again to see every line.",
        "While the tape is shown you can make the window larger by dragging one of its edges or "
        "corners: the tape grows to fill the room and long lines show in "
        "full, the keypad keeps its place and the status bar moves down with the bottom edge. "
        "Tallymax remembers the size for the next start. It cannot be made smaller than its "
        "first size, and with the tape hidden the window has its narrow fixed size (shown again, "
        "the tape comes back at the size you chose).",
        "",
        "Show StatusBar",
        "Shows or hides the status bar at the bottom of the window. It shows memory banks 1 and "
        "2 (the active bank and its value, for example M1 = 1,234.50), the automatic average "
        "(for additions and subtractions only; multiplication and division show n/a), the item "
        "count, today's date and the Num Lock status (NUM while Num Lock is on).",
        "",
        "Show Stopwatch",
        "Shows or hides the stopwatch row. A running stopwatch keeps running while it is "
        "hidden.",
        "",
        "Options",
        "Opens the Tallymax Options window:",
        "Calculator Mode: choose Standard Calculator or Adding Machine. In Calculator Mode you "
        "enter a number, an operator, the next number and =, and the calculation runs strictly "
        "from left to right (5 + 3 \xD7 2 = gives 16). In Adding Machine Mode the sign is "
        "entered after the number when adding and subtracting, as on an adding machine: 5 + 3 - "
        "= gives 2. A sign button pressed again without a new entry repeats the last entry: "
        "5 + + = gives 10.",
        "Tax Rate (%): the rate the +Tax button adds, for example 7.5.",
        "Laptop 10 Key Support: turns letter keys into a numeric keypad, and Num Lock does not "
        "need to be on. The keys are:",
        kLaptopMap,
        "The main keyboard's 1 to 9 and the numeric keypad keep working. While the map is on, "
        "\"Laptop 10 Key\" shows above the number keys.",
        "Always on Top: keeps Tallymax in front of all other windows, like the Always on Top "
        "button (the two overlapping windows above the keypad).",
        "Ok saves your choices at once; Cancel (or Esc) leaves everything as it was. A "
        "calculation in progress carries on with the new mode and tax rate.",
        "",
        "Exit",
        "Closes Tallymax. Settings are saved the moment you change them, and the tape is there "
        "again the next time you start, unless you have turned off View > Keep Tape Between "
        "Sessions.",
    });
}

std::string EditMenuText() {
    return Lines({
        "Copy (Ctrl-C)",
        "Copies the number in the display to the clipboard, exactly as it is shown, and notes "
        "it on the tape as Copy (...).",
        "",
        "Paste (Ctrl-V)",
        "Puts the number from the clipboard into the display. The next operator button uses it "
        "as if you had typed it.",
        "",
        "The tape's own menu",
        "Right-click on the tape to open it; from the keyboard, press the menu key or Shift + "
        "F10. None of its items writes on the tape.",
        "Copy Line: copies the line you right-clicked to the clipboard. From the keyboard it "
        "copies the last line that has something on it (after a total, the result line). It is "
        "greyed when you click below the last line.",
        "Copy Tape: copies every line of the tape, one per line.",
        "Export as CSV...: saves the tape as a CSV file for a spreadsheet, with the columns "
        "Amount (the number of the line, without grouping), Mark (the sign or note after it, "
        "such as + or MS) and Text (the line as the tape shows it). If the file cannot be "
        "written, you are told so and a file that was there stays as it was.",
        "Copy Tape and Export as CSV... are greyed while the tape is empty.",
    });
}

std::string ViewMenuText() {
    return Lines({
        "Digit Grouping",
        "Turns the thousands separator in the display on or off (1,234,567 or 1234567). Turn it "
        "off before copying a value into a program that does not accept the separator.",
        "",
        "Decimals",
        "Floating: results show as many decimals as they need, up to 10.",
        "1 Decimal to 4 Decimal: results show exactly that many decimals (with 2 Decimal, 5 "
        "shows as 5.00).",
        "Every calculation on the tape adds up from the figures printed on it. A number you "
        "type, paste or recall from memory is used exactly as you entered it and printed with "
        "all its digits: with 2 Decimal, 0.125 prints as 0.125 and 2.5 as 2.50. What the "
        "calculator works out (a total, a taxed amount, 1/x, the change) is rounded once to the "
        "chosen decimals, an exact half away from zero (2.345 gives 2.35, -2.345 gives -2.35), "
        "and is used from then on exactly as printed. With Floating, results are rounded to 10 "
        "decimals.",
        "0 Decimal: results are shown as they are calculated, without added decimals.",
        "Auto Decimal: with a fixed number of decimals, the decimal point is placed for you as "
        "you type: with 2 Decimal, typing 1 2 3 enters 1.23. It is for amounts that are added "
        "or subtracted: a number multiplied or divided by, one that is multiplied or divided, "
        "and a percentage are taken as typed, so 1999 \xD7 3 = gives 5,997.00 and 20000 + 15 % "
        "adds 15 %. The display shows the point as you type; the tape prints the number as it "
        "was used. Typing a decimal point yourself turns it off for that number. It has no "
        "effect with Floating.",
        "",
        "Digit Grouping and the Decimals choices apply to the decimal system (Dec); they "
        "cannot be changed while Hex, Bin or Oct is selected.",
        "",
        "Keep Tape Between Sessions",
        "When it is checked (as it is at first), every line is also written to the file "
        "Tallymax.tape beside the settings file as it appears, and the next time you start "
        "Tallymax the tape is there as you left it, even after a power cut. The newest 100,000 "
        "lines are kept. CT (Clear Tape) empties the kept tape too. Uncheck the item to keep the "
        "tape only while Tallymax runs: Tallymax.tape is deleted. Checked again, it keeps the "
        "tape as it stands from then on.",
        "Only one Tallymax window keeps the tape of a folder. A second Tallymax started from the "
        "same folder tells you so once; its own tape works as usual but is not kept.",
        "If the tape cannot be written (a full or read-only disk), Tallymax tells you once and "
        "the tape goes on working without being kept.",
    });
}

std::string HelpMenuText() {
    return Lines({
        "Help Topics",
        "Opens this help window at the overview.",
        "",
        "Keyboard Equivalents",
        "Opens this help window at the list of keyboard keys for the buttons.",
        "",
        "About",
        "Shows the Tallymax version and web address.",
        "",
        "The Help button above the keypad and the F1 key also open this window, or bring it to "
        "the front when it is already open.",
    });
}

std::string ButtonsText() {
    return Lines({
        "The keypad's buttons are grouped by what they do: numbers, operators, clearing, "
        "memory, functions, the tool buttons, conversion and the stopwatch. Most of them also "
        "have a keyboard key, listed with each button and under Keyboard Equivalents.",
        "",
        "Rest the mouse on a button to see its tool tip. Expand \"Buttons\" and click on a group "
        "for instructions.",
    });
}

std::string NumericButtonsText() {
    return Lines({
        "0-9",
        "Enter a digit. Keyboard: 0-9 on the main keyboard or the numeric keypad. With Laptop 10 "
        "Key Support on, the main keyboard's 0 divides; M or the keypad's 0 enters 0.",
        "",
        "A-F",
        "The hexadecimal digits, available while Hex is selected. Keyboard: A-F.",
        "",
        ". (decimal point)",
        "Starts the decimals of the number. Keyboard: . (period or the keypad's point).",
        "",
        "+/-",
        "Changes the sign of the number in the display; this also works on a result. Keyboard: "
        "F9.",
        "",
        "Only the digits of the selected number system can be entered: Dec 0-9, Hex 0-9 and "
        "A-F, Oct 0-7, Bin 0 and 1. A number can have up to 18 characters in Dec, 8 in Hex, 32 in "
        "Bin and 11 in Oct; further digits are ignored.",
    });
}

std::string OperatorButtonsText() {
    return Lines({
        "+ and -",
        "Add and subtract. Keyboard: + (the keypad's + or Shift + =) and - (the keypad's - or "
        "-).",
        "",
        "\xD7 and \xF7",
        "Multiply and divide. Keyboard: * (the keypad's * or Shift + 8) and / (the keypad's / "
        "or /). With Laptop 10 Key Support on, / adds, and P multiplies, ; subtracts and 0 "
        "divides.",
        "",
        "=",
        "Finishes the calculation and shows the result. The tape receives a line of dashes, the "
        "result followed by = and a blank line. Pressing = again repeats the last result. "
        "Keyboard: = or Enter.",
        "",
        "In Calculator Mode enter number, operator, number, =; there is no precedence, so "
        "5 + 3 \xD7 2 = gives 16. In Adding Machine Mode the sign follows each number (2 + 3 + = "
        "gives 5), and pressing + or - again without a new number repeats the last number. The "
        "mode is chosen in File > Options.",
        "",
        "Dividing by zero shows Div0 Error; the calculation carries on with the total it had.",
        "",
        "The status bar counts the items of the calculation and shows their running average "
        "while you add and subtract (\xD7 and \xF7 show n/a).",
    });
}

std::string ClearButtonsText() {
    return Lines({
        "Back",
        "Removes the last character you typed. Keyboard: Backspace.",
        "",
        "CE (Clear Entry)",
        "Clears the number being entered; the calculation carries on with the next number. "
        "Keyboard: Delete.",
        "",
        "Clear",
        "Clears the display and the current calculation, writes Clear on the tape and resets "
        "the item count and the average. Keyboard: Esc.",
        "",
        "CT (Clear Tape)",
        "Asks for confirmation, then erases the whole tape and the current calculation. The "
        "number in the display stays. Keyboard: Shift + Esc.",
        "",
        "None of these buttons touches the memory banks.",
    });
}

std::string MemoryButtonsText() {
    return Lines({
        "Tallymax has two memory banks, M1 and M2. The memory buttons act on the active bank, "
        "which the status bar shows with its value (for example M1 = 1,234.50). Both banks are "
        "kept in the settings file, so their values are still there the next time you start "
        "Tallymax. The memory buttons work in every number system; they have no keyboard keys.",
        "",
        "MS (Memory Set)",
        "Stores the number in the display in the active bank and writes it on the tape followed "
        "by MS.",
        "",
        "M+ (Memory Add)",
        "Adds the number in the display to the active bank and writes it on the tape followed by "
        "M+. The display keeps showing the number.",
        "",
        "MR (Memory Recall)",
        "Puts the active bank's value into the display, to be used like a typed number.",
        "",
        "MC (Memory Clear)",
        "Empties the active bank and writes M1 Clear or M2 Clear on the tape.",
        "",
        "2nd",
        "Switches between bank 1 and bank 2. While bank 2 is active, Mem2 shows above the "
        "number keys.",
    });
}

std::string FunctionButtonsText() {
    return Lines({
        "%",
        "Applies a percentage of the running total with the pending operator and finishes the "
        "calculation: 200 + 10 % gives 220, 200 - 25 % gives 150, 200 \xD7 50 % gives 100 and "
        "200 \xF7 50 % gives 400. With no calculation open, 50 % gives 0.5. Keyboard: % "
        "(Shift + 5).",
        "",
        "1/x",
        "Replaces the number in the display with its reciprocal: 4 gives 0.25. Keyboard: r.",
        "",
        "+Tax",
        "Adds tax at the Tax Rate set in File > Options. The amount before tax is written on the "
        "tape followed by Tx; the amount with tax is rounded to the chosen decimals. On a number "
        "you have just typed, the display shows the amount with tax and the next operator takes "
        "it: with a rate of 7.5 and 2 decimals, 100 +Tax writes 100.00 Tx and shows 107.50. On "
        "a running total (after an operator) or on a total (after =), the amount with tax "
        "becomes the total: it is written on a line of its own followed by +Tx, = and Chg go "
        "on from it, and an operator pressed right after +Tax adds nothing again. So 100 + 50 + "
        "+Tax 20 + = gives 181.25 in Adding Machine Mode. Keyboard: t.",
        "",
        "Chg",
        "Works out the change to give back, like a cash register. After a total (=), type the "
        "amount received and press Chg: the tape shows the amount received minus the total, a "
        "line of dashes and the change followed by CH. For example, a total of 3.50 and 5 Chg "
        "gives 1.50 CH. The total is the last one printed: after +Tax on a total it is the "
        "amount with tax (100 = +Tax with a rate of 7.5, then 200 Chg gives 92.50 CH). "
        "Keyboard: g.",
        "",
        "Feed",
        "Adds a blank line to the tape, like advancing the paper. Keyboard: Up Arrow.",
        "",
        "Help",
        "Opens this help window, or brings it to the front. Keyboard: F1.",
        "",
        "Always on Top (the small button with two overlapping windows, right of Help)",
        "While it is pressed in, Tallymax stays in front of all other windows; press it again "
        "to let it out. The choice is remembered for the next start, and File > Options has the "
        "same setting. It has no keyboard key.",
        "",
        "%, 1/x, +Tax and Chg work in the decimal system (Dec) only.",
    });
}

std::string SpecialFunctionButtonsText() {
    return Lines({
        "Area",
        "Opens the Area Calculator. Choose Standard (inches, feet, yards, miles) or Metric "
        "(millimeters, centimeters, meters, kilometers), enter the length and the width, each "
        "with its own unit, choose the square unit of the result and press Calculate. The result "
        "is written to the tape, and your entries are remembered for the next time. Clear "
        "empties the fields and forgets them.",
        "",
        "Vol",
        "Opens the Volume Calculator, which works the same way with a length, a width and a "
        "depth and a cubic unit for the result. Example: a slab 10 feet long by 10 feet wide and "
        "4 inches deep holds 1.2346 Cu.Yards, so it needs about 1.24 cu.yards of concrete.",
        "",
        "Loan",
        "Opens the Loan Calculator. Press Add and name the loan, then enter the Amount Financed, "
        "the Annual Interest (e.g., 8.25; 0 for a loan without interest, whose payment is the "
        "amount shared out over the months), the Duration of Loan in years (fractions are "
        "allowed: 0.5 is six months), the First Payment Date and how the interest is Compounded. "
        "The "
        "common options are monthly, semi-annually and annually; daily, weekly and quarterly are "
        "offered too. Payments are always monthly. Press Calculate to see the monthly payment, "
        "the number of payments, the yearly total, the finance charges, the total cost and the "
        "month-by-month amortization schedule; the analysis is also written to the tape. The "
        "schedule is built as a lender's statement: each month's interest is rounded to the "
        "cent, the last payment settles the exact balance, and the totals are the sums of the "
        "rows. Changing any entry clears the results until you calculate again. Print "
        "calculates the entries as they stand and prints the analysis with the whole schedule; "
        "an entry that cannot be calculated is named in a message instead.",
        "Up to 20 loan profiles are kept in the settings file. Click a name in the Loan Name "
        "list to see that loan again; Rename and Remove change the list (Remove asks first), and "
        "Lock this loan profile protects a loan from changes.",
        "",
        "Throughput test (the button with the picture)",
        "Opens the Quorvel throughput test, which measures how fast data is written to and read "
        "back from a folder or a test server. In Folder or Server IP, enter a folder (a local "
        "drive or a shared network folder such as \\\\server\\share; the ... button lets you "
        "browse) or a test server's name or IP address, with :port if it is not 4456. Press "
        "Start Test, choose the file size in megabytes (1 MB = 1,048,576 bytes) and whether the "
        "test file is deleted when finished. The window shows the packet length, the time, the "
        "bytes per second, the bits per second and the Mbps (megabits per second: bits per "
        "second divided by 1,000,000, as network equipment counts them) for writing and for "
        "reading; Print Results prints them. While a test runs, Start Test reads Stop Test: it, "
        "Escape or closing the window stops the test. A test that fails or is stopped shows no "
        "figures of its own. A folder test writes the file NW_Quorvel.dat in the folder; a "
        "server test writes nothing to any disk. A target that starts with a drive (C:\\), "
        "with \\\\ or with a dot (.\\ or ..\\), or that names an existing folder, is a "
        "folder, even with dots in its path; any other name with a dot is a server address.",
        "",
        "Area, Vol, Loan and the throughput test button have no keyboard keys.",
    });
}

std::string ConversionButtonText() {
    return Lines({
        "Cnv converts a value into every unit of one category (Temperature, Length, Volume, "
        "Weight, Area, Speed or Time; over 60 units in all):",
        "",
        "1. Enter or calculate the value, so that it is in the display.",
        "2. Press Cnv: the conversion window opens beside the button.",
        "3. Open a category with its + or by double-clicking it.",
        "4. Click on the unit the value is in, or move to it with the arrow keys and press "
        "Enter.",
        "5. All units of the category are written to the tape with the converted value, and the "
        "window closes.",
        "",
        "The display keeps the value, and the next digit starts a new number. Clicking outside "
        "the conversion window closes it without converting. Cnv works in the decimal system "
        "(Dec) only and has no keyboard key.",
    });
}

std::string StopwatchButtonsText() {
    return Lines({
        "The stopwatch shows hours, minutes, seconds and hundredths (00:00:00:00).",
        "",
        "Start / Stop",
        "Starts the stopwatch; the button then reads Stop, and pressing it again stops it. "
        "Starting again carries on from the time shown. Keyboard: Space (it acts when the key "
        "is released).",
        "",
        "Lap",
        "Writes the current time on the tape followed by LAP, without stopping the stopwatch. "
        "Available while it runs.",
        "",
        "Reset",
        "Sets the stopwatch back to 00:00:00:00. Available while it is stopped.",
        "",
        "Lap and Reset have no keyboard keys.",
        "",
        "File > Show Stopwatch hides the stopwatch row; a running stopwatch keeps running.",
    });
}

std::string NumberSystemText() {
    return Lines({
        "Dec, Hex, Bin and Oct choose the number system: decimal, hexadecimal, binary or octal. "
        "The number in the display and the average are converted when you switch, the tape notes "
        "the switch with (Dec), (Hex), (Bin) or (Oct), and a calculation in progress carries on "
        "in the new system. Results are marked on the tape, for example (Hex) 10 =. Your choice "
        "is remembered for the next start.",
        "",
        "Hex, Bin and Oct work with whole numbers of 32 bits: fractions are rounded off, and a "
        "negative number shows as its 32-bit complement (-1 shows as FFFFFFFF in Hex) and comes "
        "back to Dec as a positive number (4294967295).",
        "",
        "Only the digit buttons of the chosen system can be used; +/-, the decimal point, %, "
        "1/x, +Tax, Chg and Cnv work in Dec only. The four buttons have no keyboard keys.",
    });
}

std::string KeyboardText() {
    std::string text = "Button\tKeyboard\r\n---------\t-------------";
    for (const KeyEquivalent& row : KeyboardEquivalents())
        text += std::string("\r\n") + row.button + "\t" + row.keyboard;
    text += "\r\n\r\nLaptop 10 Key Support includes...\r\n";
    text += kLaptopMap;
    text += "\r\n(File > Options turns it on; Num Lock does not need to be on.)";
    return text;
}

}  // namespace

const std::vector<HelpTopic>& HelpTopicTree() {
    static const std::vector<HelpTopic> tree = {
        {100, "Tallymax Overview", 0},
        {200, "Menu Items", 0},
        {210, "File", 200},
        {220, "Edit", 200},
        {230, "View", 200},
        {240, "Help", 200},
        {300, "Buttons", 0},
        {310, "Numeric Buttons", 300},
        {320, "Operator Buttons", 300},
        {330, "Clear Buttons", 300},
        {340, "Memory Buttons", 300},
        {350, "Function Buttons", 300},
        {360, "Special Function Buttons", 300},
        {370, "Conversion Button", 300},
        {380, "Stopwatch Buttons", 300},
        {400, "Number System Option Buttons", 0},
        {500, "Keyboard Equivalents", 0},
    };
    return tree;
}

const std::vector<KeyEquivalent>& KeyboardEquivalents() {
    static const std::vector<KeyEquivalent> rows = {
        {"0-9", "0-9"},
        {"A-F", "A-F"},
        {".", "."},
        {"+/-", "F9"},
        {"Back", "Backspace"},
        {"CE", "Delete"},
        {"Clear", "Esc"},
        {"CT", "Shift + Esc"},
        {"+", "+"},
        {"-", "-"},
        {"\xD7", "*"},
        {"\xF7", "/"},
        {"=", "= or Enter"},
        {"%", "%"},
        {"1/x", "r"},
        {"+Tax", "t"},
        {"Chg", "g"},
        {"Feed", "<UP ARROW>"},
        {"Help", "F1"},
        {"Copy", "Ctrl-C"},
        {"Paste", "Ctrl-V"},
    };
    return rows;
}

std::string HelpTopicText(int code) {
    switch (code) {
        case 100:
            return OverviewText();
        case 200:
            return MenuItemsText();
        case 210:
            return FileMenuText();
        case 220:
            return EditMenuText();
        case 230:
            return ViewMenuText();
        case 240:
            return HelpMenuText();
        case 300:
            return ButtonsText();
        case 310:
            return NumericButtonsText();
        case 320:
            return OperatorButtonsText();
        case 330:
            return ClearButtonsText();
        case 340:
            return MemoryButtonsText();
        case 350:
            return FunctionButtonsText();
        case 360:
            return SpecialFunctionButtonsText();
        case 370:
            return ConversionButtonText();
        case 380:
            return StopwatchButtonsText();
        case 400:
            return NumberSystemText();
        case 500:
            return KeyboardText();
        default:
            return "";
    }
}

int TopicSelectedAtStart(int startTopic) {
    if (startTopic == 0) return kOverviewTopic;
    if (startTopic == kKeyboardTopic) return kKeyboardTopic;
    return 0;
}
