// A control caption as it reads: "&" marks the next letter as the mnemonic and "&&"
// stands for a plain "&".
#pragma once

#include <string>

// "&Help" gives "Help", "A&&B" gives "A&B"; a lone "&" at the end is dropped.
std::string CaptionWithoutMnemonics(const std::string& caption);
