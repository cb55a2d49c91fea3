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
    std::set<int> disabledKeys;
    int checkedRadio = 0;
    std::map<int, bool> menuChecks;
    std::set<int> visibleControls;
    std::map<int, bool> toggles;
    std::string clipboard;
    bool clipboardHasText = true;
    std::vector<Answer> answers;         // answers to the next questions, in order (Yes when empty)
    std::vector<std::string> questions;  // caption + "|" + text of each question asked
    int focusReturns = 0;

    std::string DisplayText() const override { return display; }
    void SetDisplayText(const std::string& t) override { display = t; }
    std::string AverageText() const override { return average; }
    void SetAverageText(const std::string& t) override { average = t; }
    void SetItemsText(const std::string& t) override { items = t; }
    void SetMemoryText(const std::string& t) override { memory = t; }
    void EnableKey(int id, bool enabled) override {
        if (enabled)
            disabledKeys.erase(id);
        else
            disabledKeys.insert(id);
    }
    void CheckRadio(int id) override { checkedRadio = id; }
    void CheckMenu(int id, bool checked) override { menuChecks[id] = checked; }
    bool MenuChecked(int id) const override {
        auto it = menuChecks.find(id);
        return it != menuChecks.end() && it->second;
    }
    void ShowControl(int id, bool visible) override {
        if (visible)
            visibleControls.insert(id);
        else
            visibleControls.erase(id);
    }
    void SetToggleState(int id, bool pressed) override { toggles[id] = pressed; }
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
};
