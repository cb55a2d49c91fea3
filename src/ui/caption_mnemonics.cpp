#include "ui/caption_mnemonics.h"

std::string CaptionWithoutMnemonics(const std::string& caption) {
    std::string plain;
    plain.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && ++i == caption.size()) break;
        plain += caption[i];
    }
    return plain;
}
