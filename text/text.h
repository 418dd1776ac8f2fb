#pragma once
// Formatting of the game's UTF-16 texts, with the two conversions the game
// uses: %i (a signed 32-bit decimal) and %s (a zero-terminated UTF-16 text).
// "%%" gives one percent sign. Any thread.

#include <cstdarg>
#include <cstdint>

// Format into out, which holds capacity units (capacity > 0); the result is
// always zero-terminated, cut at capacity - 1 units when longer. Returns the
// number of units written, the zero not counted.
int format_text(char16_t* out, int capacity, const char16_t* format, ...);
int format_text_v(char16_t* out, int capacity, const char16_t* format, va_list args);

// Length of a zero-terminated UTF-16 text.
int text_length(const char16_t* text);
// Copy at most capacity - 1 units of text and a zero into out.
void copy_text(char16_t* out, int capacity, const char16_t* text);
