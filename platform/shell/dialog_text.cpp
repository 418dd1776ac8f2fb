#include "platform/shell/dialog_text.h"

std::size_t utf8_bytes_within_units(const std::string& text, int units) {
    int used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80) continue;  // inside a character
        // Four-byte sequences lie outside the basic plane: two units each.
        const int add = c >= 0xF0 ? 2 : 1;
        if (used + add > units) return i;
        used += add;
    }
    return text.size();
}

ShownText shown_text(const std::string& text, bool no_prefix) {
    if (no_prefix) return {text};
    ShownText out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out.text += text[i];
            continue;
        }
        if (i + 1 == text.size()) break;  // a last '&' marks nothing and shows nothing
        if (text[i + 1] != '&') out.underline = out.text.size();
        out.text += text[++i];
    }
    return out;
}
