// The help window's content: the topic tree, each topic's text and the topic a
// window opens at. Texts are Windows-1252, lines joined with "\r\n".
#pragma once

#include <string>
#include <vector>

inline constexpr int kOverviewTopic = 100;
inline constexpr int kKeyboardTopic = 500;

struct HelpTopic {
    int code;
    const char* caption;
    int parentCode;  // 0 for a top-level topic
};

// Every topic in the order it is inserted into the tree; a child always follows its
// parent and the topics before it under the same parent.
const std::vector<HelpTopic>& HelpTopicTree();

// The text shown for `code`; "" for a code that has no topic.
std::string HelpTopicText(int code);

// The topic selected when a window opens with `startTopic`: 0 opens the overview, 500
// the keyboard page, and any other value selects nothing (0).
int TopicSelectedAtStart(int startTopic);

// One row of the keyboard page: a keypad button and the key that does the same.
struct KeyEquivalent {
    const char* button;
    const char* keyboard;
};
const std::vector<KeyEquivalent>& KeyboardEquivalents();
