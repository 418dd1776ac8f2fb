#pragma once
// UTF-16 <-> UTF-8 for the places where the system wants bytes.

#include <string>

// Unpaired surrogates become U+FFFD.
std::string utf16_to_utf8(const char16_t* text);
std::u16string utf8_to_utf16(const std::string& text);
