#pragma once
// UTF-16 <-> UTF-8 for the places where the system wants bytes.

#include <cstddef>
#include <string>

// Unpaired surrogates become U+FFFD.
std::string utf16_to_utf8(const char16_t* text);
// The same into out without allocating; false (out empty) when the text and
// its terminating zero need more than capacity bytes.
bool utf16_to_utf8(const char16_t* text, char* out, std::size_t capacity);
std::u16string utf8_to_utf16(const std::string& text);
