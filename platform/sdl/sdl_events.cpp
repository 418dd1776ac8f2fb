// Everything the window system sends arrives here and goes to the window
// rules, which say where it belongs: the game's controls, a menu command, a
// dialog's own controls, a dialog's command, or the end of the program.

#include "platform/sdl/sdl_events.h"

#include "platform/sdl/sdl_canvas.h"
#include "platform/sdl/sdl_dialog_view.h"
#include "platform/sdl/sdl_menu_bar.h"
#include "platform/sdl/sdl_pointer.h"
#include "platform/sdl/sdl_layer.h"
#include "platform/sdl/sdl_window.h"
#include "platform/window.h"

namespace {

ShellHandlers handlers;
bool destroyed = false;

// The main window's client coordinates: the menu bar and its drop-down,
// then a dialog or box, then the field.
Place place_at(int x, int y) {
    Place place;
    if (menu_bar_place(x, y, place)) return place;
    if (const DialogView* v = dialog_view_at(x, y)) return {Place::popup, -1, v->window};
    return {Place::field};
}

KeyStroke key_stroke(const SDL_KeyboardEvent& e) {
    KeyStroke k;
    k.alt = (e.keysym.mod & KMOD_ALT) != 0;
    const SDL_Keycode sym = e.keysym.sym;
    if (sym >= SDLK_a && sym <= SDLK_z) k.letter = static_cast<char>(sym);
    switch (sym) {
    case SDLK_LALT:
    case SDLK_RALT: k.key = Key::alt; break;
    case SDLK_F4: k.key = Key::f4; break;
    case SDLK_F10: k.key = Key::f10; break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: k.key = Key::enter; break;
    case SDLK_ESCAPE: k.key = Key::escape; break;
    case SDLK_SPACE: k.key = Key::space; break;
    case SDLK_LEFT: k.key = Key::left; break;
    case SDLK_RIGHT: k.key = Key::right; break;
    case SDLK_UP: k.key = Key::up; break;
    case SDLK_DOWN: k.key = Key::down; break;
    default: break;
    }
    return k;
}

// The first character of a UTF-8 text.
char32_t first_character(const char* s) {
    const unsigned char c = static_cast<unsigned char>(s[0]);
    if (c < 0x80) return c;
    const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
    char32_t out = c & (0x3F >> extra);
    for (int i = 1; i <= extra && s[i]; ++i) out = out << 6 | (static_cast<unsigned char>(s[i]) & 0x3F);
    return out;
}

void follow(const Route& r, const SDL_Event& e) {
    switch (r.kind) {
    case Route::none:
    case Route::close_program: break;
    case Route::game_mouse_moved: handlers.mouse_moved(); break;
    case Route::game_left_button: handlers.left_button_down(); break;
    case Route::game_key_released: handlers.key_released(r.value); break;
    case Route::command: handlers.command(r.value); break;
    case Route::to_window:
        layer_feed(e);
        dialog_views_changed();
        break;
    case Route::window_command: dialog_view_command(dialog_view_of(r.window), r.value); break;
    }
}

Route route_of(const SDL_Event& e) {
    WindowRules& rules = window_rules();
    switch (e.type) {
    case SDL_QUIT: return rules.close_box();
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) return rules.close_box();
        if (e.window.event == SDL_WINDOWEVENT_MOVED) pointer_window_moved();
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED) rules.exposed();
        return {};
    case SDL_MOUSEMOTION: return rules.pointer_moved(place_at(e.motion.x, e.motion.y));
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT) return rules.button_down(place_at(e.button.x, e.button.y));
        return {};
    case SDL_KEYDOWN: return rules.key_down(key_stroke(e.key));
    case SDL_KEYUP: return rules.key_up(key_stroke(e.key));
    case SDL_TEXTINPUT: return rules.typed(first_character(e.text.text), (SDL_GetModState() & KMOD_ALT) != 0);
    default: return {};
    }
}

// A button's release, and a move that leaves a dialog, still reach ImGui,
// which would otherwise hold the button down or the hover.
void tell_the_layer(const SDL_Event& e, const Route& r) {
    const bool dialogs_up = !window_rules().shown_windows().empty();
    if (dialogs_up && r.kind != Route::to_window &&
        (e.type == SDL_MOUSEBUTTONUP || e.type == SDL_MOUSEMOTION || e.type == SDL_KEYUP))
        layer_feed(e);
}

void dispatch(const SDL_Event& e) {
    const WindowRules& rules = window_rules();
    const MenuState menu = rules.menu();
    const int keyboard = rules.keyboard();
    const Route r = route_of(e);
    tell_the_layer(e, r);
    follow(r, e);
    const MenuState now = window_rules().menu();
    if (now.title != menu.title || now.open != menu.open || now.item != menu.item || now.cues != menu.cues ||
        window_rules().keyboard() != keyboard)
        dialog_views_changed();
}

// When a window has gone, the one now under the pointer hears of it as a
// move where the pointer rests.
void recheck_pointer() {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    SDL_GetMouseState(&e.motion.x, &e.motion.y);
    dispatch(e);
}

void paint() {
    const PaintInfo info{nullptr, {0, 0, field_width, field_height}};
    handlers.paint(info);
}

void destroy_now() {
    if (destroyed) return;
    handlers.destroyed();
    destroyed = true;
}

}  // namespace

void events_set_handlers(const ShellHandlers& h) { handlers = h; }

void events_paint() { paint(); }

void shell_pump() {
    WindowRules& rules = window_rules();
    SDL_Event e;
    while (!destroyed && !rules.closing() && SDL_PollEvent(&e)) dispatch(e);
    if (!rules.closing()) dialog_views_run_pending();
    if (!rules.closing() && rules.take_pointer_recheck()) recheck_pointer();
    dialog_views_publish();
    // A closing window ends every loop first; the game shuts down once the
    // frame that opened them has finished, back in the main loop.
    if (!rules.closing() && canvas_frame_wanted()) rules.frame_requested();
    switch (rules.after_events()) {
    case PumpStep::unwind: return;
    case PumpStep::destroy: destroy_now(); return;
    case PumpStep::frame: paint(); return;
    case PumpStep::idle: break;
    }
    if (layer_wants_repaint()) canvas_repaint();
    SDL_WaitEventTimeout(nullptr, 10);
}

void shell_request_close() { window_rules().close_program(); }

bool shell_window_destroyed() { return destroyed; }

// File > Exit. Inside a dialog's or a box's loop the window cannot go yet:
// the frame that opened the box is still running, and the game must not be
// shut down under it. The loops end first, and the main loop destroys the
// window as soon as they have unwound.
void window_destroy() { window_rules().close_program(); }
