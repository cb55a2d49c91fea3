// A CalcView over plain strings: what the window would show, recorded for tests.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/calc_view.h"

class RecordingView : public CalcView {
  public:
    std::string display = "0";
    std::string average = " Avg = 0.00";
    std::string items = " 0 Items";
    std::string memory = " M1";
    std::vector<std::string> tape;
    std::set<std::string> disabledKeys;  // "0".."F" and the captions of the other keys
    int checkedSystem = 0;
    std::map<CalcMenuItem, bool> menuChecks;
    bool secondBankShown = false;
    std::string clipboard;
    bool clipboardHasText = true;
    std::vector<Answer> answers;         // answers to the next questions, in order (Yes when empty)
    std::vector<std::string> questions;  // caption + "|" + text of each question asked
    int focusReturns = 0;

    std::string DisplayText() const override { return display; }
    void SetDisplayText(const std::string& t) override { display = t; }
    std::string AverageText() const override { return average; }
    void SetAverageText(const std::string& t) override { average = t; }
    std::string ItemsText() const override { return items; }
    void SetItemsText(const std::string& t) override { items = t; }
    void SetMemoryText(const std::string& t) override { memory = t; }
    void EnableDigitKey(int digit, bool enabled) override {
        Enable(std::string(1, "0123456789ABCDEF"[digit & 15]), enabled);
    }
    void EnableKey(CalcKey key, bool enabled) override {
        static const char* const kCaptions[] = {"+/-", ".", "%", "+Tax", "1/x", "Chg", "Cnv"};
        Enable(kCaptions[static_cast<int>(key)], enabled);
    }
    void CheckNumberSystem(int system) override { checkedSystem = system; }
    void CheckMenu(CalcMenuItem item, bool checked) override { menuChecks[item] = checked; }
    bool MenuChecked(CalcMenuItem item) const {
        auto it = menuChecks.find(item);
        return it != menuChecks.end() && it->second;
    }
    void ShowSecondBank(bool active) override { secondBankShown = active; }
    Answer AskYesNoCancel(const std::string& caption, const std::string& text) override {
        questions.push_back(caption + "|" + text);
        if (answers.empty()) return Answer::Yes;
        Answer a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    void ReturnFocus() override { ++focusReturns; }
    void AddTapeLine(const std::string& line) override { tape.push_back(line); }
    int TapeLineCount() const override { return static_cast<int>(tape.size()); }
    std::string TapeLine(int i) const override {
        return i >= 0 && i < TapeLineCount() ? tape[i] : std::string();
    }
    void ClearTapeLines() override { tape.clear(); }
    void PutClipboardText(const std::string& t) override {
        clipboard = t;
        clipboardHasText = true;
    }
    std::string ClipboardText() override { return clipboardHasText ? clipboard : std::string(); }

  private:
    void Enable(const std::string& key, bool enabled) {
        if (enabled)
            disabledKeys.erase(key);
        else
            disabledKeys.insert(key);
    }
};
