#pragma once
// Texts in the dialogs as the system's controls treat them. Any thread.

#include <cstddef>
#include <string>

// How many bytes of the UTF-8 text fit in units UTF-16 units, never cutting
// a character: an edit box with a limit of units keeps that much of a typed
// or pasted text.
std::size_t utf8_bytes_within_units(const std::string& text, int units);

// The New High Score name as the edit box keeps it: no more than the score
// record holds (99 UTF-16 units and its terminating zero), so what the
// player sees is what is saved.
constexpr int name_units = 99;
inline std::size_t name_bytes_kept(const std::string& typed) { return utf8_bytes_within_units(typed, name_units); }

// What a static control shows of its text: each '&' hides itself and marks
// the character after it, the last one so marked is underlined, and "&&"
// shows one '&'. With no_prefix the text shows as it is.
struct ShownText {
    std::string text;
    std::size_t underline = std::string::npos;  // byte offset of the underlined character
};
ShownText shown_text(const std::string& text, bool no_prefix);
