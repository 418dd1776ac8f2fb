#pragma once
// Dear ImGui for the Linux game's menu and dialogs: the context with the
// dialog font (a proportional face at the size the dialogs' 8-point font has)
// and a desktop program's colours, and the bookkeeping of its passes. An
// ImGui pass costs as much as a game frame, so one runs only when something
// drawn with it changed. Window thread only.

#include <SDL.h>

#include <string>

void ui_init();
void ui_shutdown();
bool ui_ready();
// Something drawn with ImGui changed: the next presents run a pass.
void ui_touch();
// A pass is wanted (it was touched, or blink_ms have passed since the last one).
bool ui_pass_wanted(Uint32 blink_ms);
// Start and finish one pass.
void ui_pass_begin();
void ui_pass_end();
// Width of a text in the dialog font, in pixels (0 before ui_init).
int ui_text_width(const char* utf8_begin, const char* utf8_end = nullptr);
inline int ui_text_width(const std::string& s) { return ui_text_width(s.data(), s.data() + s.size()); }
