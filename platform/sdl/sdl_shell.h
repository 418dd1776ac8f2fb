#pragma once
// What the Linux shell's ports share: the one window with its renderer, the
// event pump that the main loop and every modal loop turn, and the menu and
// dialog layer drawn over the field. Window thread only.

#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/canvas.h"

// The client area: the menu bar, then the 640 x 440 field right below it,
// all of it shown (no part of the field hides behind a frame).
constexpr int menu_bar_height = 20;
constexpr int client_width = field_width;
constexpr int client_height = menu_bar_height + field_height;

// What the window's events mean to the program. The app fills this in; the
// ports never call the game themselves.
struct ShellHandlers {
    void (*paint)(const PaintInfo& paint) = nullptr;  // one frame
    void (*mouse_moved)() = nullptr;
    void (*left_button_down)() = nullptr;
    void (*key_released)(int virtual_key) = nullptr;
    bool (*command)(int command) = nullptr;           // menu and accelerators
    void (*destroyed)() = nullptr;                    // the destroy handler's part
};

// Create the hidden window (no surfaces yet). False when there is none.
bool shell_create_window(const char* title, const ShellHandlers& handlers);
// Renderer, the field's streaming texture, sprite images, score font, icon,
// menu layer; resources is the folder that holds bitmaps/ and icons/.
void shell_build_surfaces(const std::string& resources);
// Show the window and draw the first frame at once.
void shell_show();
// One turn of the one event pump: every waiting event, queued menu and
// dialog actions, then one frame when one was asked for.
void shell_pump();
// True until the window is closing: dialog loops end then.
bool shell_window_exists();
// True once the destroy handler has run; the main loop ends then.
bool shell_window_destroyed();
// Free what shell_build_surfaces made, then the window (after the destroy handler).
void shell_free_surfaces();

SDL_Window* shell_window();
SDL_Renderer* shell_renderer();

// The frame's texture and its present (sdl_canvas.cpp).
bool canvas_create_texture(SDL_Renderer* renderer);
void canvas_destroy_texture();
bool canvas_frame_wanted();
// Draw the last field picture and the menu layer again and present, for a
// window that must be redrawn without a game frame.
void canvas_repaint();

// Start reading the soundfont on a thread of its own while the window is
// made; the MIDI output's opening waits for it (sdl_midi_out.cpp).
void midi_out_prepare();

// Pointer (sdl_pointer.cpp): the confinement is re-applied when the window moves.
void pointer_window_moved();

// The menu bar, its menus and the dialogs, drawn with Dear ImGui (sdl_ui.cpp).
struct UiDialog;
void ui_init(SDL_Window* window, SDL_Renderer* renderer);
void ui_shutdown();
// Draw the cached menu layer, running a new ImGui pass only when something
// in it changed.
void ui_render();
// Offer an event to the menu layer first; true when it took it. The
// shell's handlers are used for commands the menu produces.
bool ui_event(const SDL_Event& event, const ShellHandlers& handlers);
// Actions chosen during an ImGui pass (a button, a menu item), run outside it.
void ui_run_pending(const ShellHandlers& handlers);
// A modal dialog that disables the main window is open.
bool ui_modal_open();
// The menu layer wants a new pass (after input or a changed text).
void ui_touch();
// Dialog stack for dialog_run and message_box (sdl_dialogs.cpp).
void ui_push_dialog(UiDialog* dialog);
void ui_pop_dialog(UiDialog* dialog);
// The icon for the About box, or null.
void ui_set_icon_texture(SDL_Texture* texture);

// Nested loops end when the window goes away (sdl_window.cpp).
int shell_loop_depth();
void shell_enter_loop();
void shell_leave_loop();
