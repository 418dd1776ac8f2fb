#pragma once
// The Linux game's one window: the SDL window with its renderer, the client
// area's geometry, and the window rules its menu and dialogs follow (they are
// drawn inside it, so the rules the system keeps for real windows on Windows
// are kept here). Window thread only.

#include <SDL.h>

#include <string>

#include "platform/canvas.h"
#include "platform/shell/window_rules.h"

// The client area: the menu bar, then the 640 x 440 field right below it,
// all of it shown (no part of the field hides behind a frame).
constexpr int menu_bar_height = 20;
constexpr int client_width = field_width;
constexpr int client_height = menu_bar_height + field_height;

// The hidden window; false when there is none.
bool sdl_window_create(const char* title);
// Its renderer (SDL's software one where it can); false when there is none.
bool sdl_renderer_create();
// The renderer, then the window.
void sdl_window_destroy();
SDL_Window* sdl_window();
SDL_Renderer* sdl_renderer();
WindowRules& window_rules();
// Set a UTF-8 text property of the X window (nothing on other window systems).
void sdl_window_set_property(const char* name, const std::string& value);
