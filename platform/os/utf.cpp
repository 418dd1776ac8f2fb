#include "platform/os/utf.h"

namespace {

// Calls put for each UTF-8 byte of text.
template <typename Put>
void encode_utf8(const char16_t* text, Put put) {
    for (const char16_t* p = text; *p; ++p) {
        char32_t c = *p;
        if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
            ++p;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            put(static_cast<char>(c));
        } else if (c < 0x800) {
            put(static_cast<char>(0xC0 | (c >> 6)));
            put(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            put(static_cast<char>(0xE0 | (c >> 12)));
            put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            put(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            put(static_cast<char>(0xF0 | (c >> 18)));
            put(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            put(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

}  // namespace

std::string utf16_to_utf8(const char16_t* text) {
    std::string out;
    encode_utf8(text, [&](char c) { out += c; });
    return out;
}

bool utf16_to_utf8(const char16_t* text, char* out, std::size_t capacity) {
    std::size_t n = 0;
    encode_utf8(text, [&](char c) {
        if (n < capacity) out[n] = c;
        ++n;
    });
    if (n >= capacity) {
        if (capacity > 0) out[0] = 0;
        return false;
    }
    out[n] = 0;
    return true;
}

std::u16string utf8_to_utf16(const std::string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        if (extra < 0 || i + extra >= text.size() + (extra == 0)) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80) ok = false;
            c = (c << 6) | (t & 0x3F);
        }
        if (!ok || c > 0x10FFFF) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}
