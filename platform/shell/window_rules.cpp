#include "platform/shell/window_rules.h"

#include <algorithm>

#include "platform/shell/resource_tables.h"

namespace {

int menu_count() {
    int count = 0;
    menu_bar(count);
    return count;
}

const MenuLayout& menu_at(int index) {
    int count = 0;
    return menu_bar(count)[index];
}

// The letter after the '&' of a label, in lower case; 0 when it has none.
char mnemonic(const char* label) {
    for (const char* p = label; *p && p[1]; ++p)
        if (*p == '&') return static_cast<char>(p[1] >= 'A' && p[1] <= 'Z' ? p[1] - 'A' + 'a' : p[1]);
    return 0;
}

}  // namespace

WindowRules::Window* WindowRules::find(int id) {
    for (Window& w : windows_)
        if (w.id == id) return &w;
    return nullptr;
}

const WindowRules::Window* WindowRules::find(int id) const {
    for (const Window& w : windows_)
        if (w.id == id) return &w;
    return nullptr;
}

int WindowRules::open(WindowKind kind) {
    leave_menu();
    Window w{next_id_++, kind};
    // A dialog disables its owner; a box owns nothing and leaves it alone.
    if (kind == WindowKind::dialog && main_enabled_) {
        main_enabled_ = false;
        w.disabled_owner = true;
    }
    windows_.push_back(w);
    keyboard_ = w.id;
    return w.id;
}

void WindowRules::end(int id) {
    Window* w = find(id);
    if (!w || !w->shown) return;
    w->shown = false;
    if (w->disabled_owner) main_enabled_ = true;
    // What it covered of the main window is painted again, and the window
    // the pointer is over now hears of it.
    paint_pending_ = true;
    pointer_recheck_ = true;
    if (keyboard_ == id) give_keyboard_to_top();
}

void WindowRules::forget(int id) {
    end(id);
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [id](const Window& w) { return w.id == id; }),
                   windows_.end());
}

bool WindowRules::turning(int id) const {
    const Window* w = find(id);
    return w && w->shown && !closing_;
}

bool WindowRules::shown(int id) const {
    const Window* w = find(id);
    return w && w->shown;
}

std::vector<int> WindowRules::shown_windows() const {
    std::vector<int> out;
    for (const Window& w : windows_)
        if (w.shown) out.push_back(w.id);
    return out;
}

void WindowRules::give_keyboard_to_top() {
    keyboard_ = main_window_id;
    for (const Window& w : windows_)
        if (w.shown) keyboard_ = w.id;
}

bool WindowRules::take_pointer_recheck() {
    const bool due = pointer_recheck_;
    pointer_recheck_ = false;
    return due;
}

bool WindowRules::take_frame() {
    if (!paint_pending_ || closing_) return false;
    paint_pending_ = false;
    return true;
}

PumpStep WindowRules::after_events() {
    if (destroyed_) return PumpStep::unwind;
    if (closing_) {
        if (!windows_.empty()) return PumpStep::unwind;
        destroyed_ = true;
        return PumpStep::destroy;
    }
    return take_frame() ? PumpStep::frame : PumpStep::idle;
}

// A click on a window: it takes the keyboard. A disabled main window takes
// nothing; the dialog over it comes forward instead.
Route WindowRules::activate(int id) {
    if (id == main_window_id && !main_enabled_) {
        give_keyboard_to_top();
        return {};
    }
    keyboard_ = id;
    return {};
}

Route WindowRules::button_down(const Place& place) {
    if (menu_.title >= 0) return menu_button_down(place);
    switch (place.kind) {
    case Place::popup:
        if (!shown(place.window)) return {};
        activate(place.window);
        return {Route::to_window, place.window};
    case Place::field:
        activate(main_window_id);
        if (!main_enabled_) return {};
        return {Route::game_left_button};
    case Place::menu_title:
        activate(main_window_id);
        if (main_enabled_) enter_menu(place.index, true, false);
        return {};
    default:
        activate(main_window_id);
        return {};
    }
}

// While a menu is up it has the mouse: a click on another title switches to
// it, on the open title closes it, on an item chooses it, and anywhere else
// only closes the menu.
Route WindowRules::menu_button_down(const Place& place) {
    if (place.kind == Place::menu_title) {
        if (place.index == menu_.title && menu_.open) leave_menu();
        else enter_menu(place.index, true, menu_by_keyboard_);
        return {};
    }
    if (place.kind == Place::menu_item && menu_.open) return choose(place.index);
    leave_menu();
    return {};
}

Route WindowRules::pointer_moved(const Place& place) {
    if (menu_.title >= 0) {
        if (!menu_.open) return {};
        if (place.kind == Place::menu_title && place.index != menu_.title) {
            uncover_menu();
            menu_.title = place.index;
            menu_.item = -1;
        } else if (place.kind == Place::menu_item) {
            menu_.item = place.index;
        }
        return {};
    }
    if (place.kind == Place::popup) return shown(place.window) ? Route{Route::to_window, place.window} : Route{};
    if (place.kind == Place::field && main_enabled_) return {Route::game_mouse_moved};
    return {};
}

Route WindowRules::key_down(const KeyStroke& key) {
    if (key.key == Key::alt) alt_held_ = true;
    if (menu_.title >= 0) return menu_key_down(key);
    const Window* w = find(keyboard_);
    if (key.key == Key::f4 && key.alt) {
        // Alt+F4 closes the window that has the keyboard.
        menu_key_armed_ = false;
        if (!w) return close_box();
        return {Route::window_command, w->id, w->kind == WindowKind::box ? 1 : 2};
    }
    if (!w) return main_key_down(key);
    if (w->kind == WindowKind::box) {
        if (key.key == Key::enter || key.key == Key::space || key.key == Key::escape)
            return {Route::window_command, w->id, 1};
        return {};
    }
    if (key.key == Key::enter) return {Route::window_command, w->id, 1};
    if (key.key == Key::escape) return {Route::window_command, w->id, 2};
    return {Route::to_window, w->id};
}

// Keys down reach the main window only to work its menu bar.
Route WindowRules::main_key_down(const KeyStroke& key) {
    if (key.key == Key::alt || key.key == Key::f10) {
        menu_key_armed_ = true;
        return {};
    }
    menu_key_armed_ = false;
    if (key.alt && key.letter)
        for (int m = 0; m < menu_count(); ++m)
            if (mnemonic(menu_at(m).label) == key.letter) {
                enter_menu(m, true, true);
                menu_.item = 0;
                break;
            }
    return {};
}

Route WindowRules::menu_key_down(const KeyStroke& key) {
    const int items = menu_at(menu_.title).item_count;
    menu_by_keyboard_ = true;
    switch (key.key) {
    case Key::alt:
    case Key::f10:
        leave_menu();
        return {};
    case Key::escape:
        // The drop-down closes first, leaving its title selected; then the bar.
        if (menu_.open) {
            uncover_menu();
            menu_.open = false;
            menu_.item = -1;
        } else {
            leave_menu();
        }
        return {};
    case Key::left:
    case Key::right: {
        const int step = key.key == Key::left ? menu_count() - 1 : 1;
        uncover_menu();
        menu_.title = (menu_.title + step) % menu_count();
        menu_.item = menu_.open ? 0 : -1;
        return {};
    }
    case Key::up:
    case Key::down:
        if (!menu_.open) {
            menu_.open = true;
            menu_.item = key.key == Key::down ? 0 : items - 1;
        } else {
            const int step = key.key == Key::up ? items - 1 : 1;
            menu_.item = menu_.item < 0 ? 0 : (menu_.item + step) % items;
        }
        return {};
    case Key::enter:
        if (!menu_.open) {
            menu_.open = true;
            menu_.item = 0;
            return {};
        }
        return menu_.item >= 0 ? choose(menu_.item) : Route{};
    default:
        break;
    }
    if (!key.letter) return {};
    if (!menu_.open) {
        for (int m = 0; m < menu_count(); ++m)
            if (mnemonic(menu_at(m).label) == key.letter) {
                enter_menu(m, true, true);
                menu_.item = 0;
            }
        return {};
    }
    for (int i = 0; i < items; ++i)
        if (mnemonic(menu_at(menu_.title).items[i].label) == key.letter) return choose(i);
    return {};
}

Route WindowRules::key_up(const KeyStroke& key) {
    if (key.key == Key::alt) alt_held_ = false;
    const bool armed = menu_key_armed_;
    menu_key_armed_ = false;
    if (menu_.title >= 0) return {};
    const Window* w = find(keyboard_);
    if (w) return w->kind == WindowKind::dialog ? Route{Route::to_window, w->id} : Route{};
    if (armed && (key.key == Key::alt || key.key == Key::f10)) {
        enter_menu(0, false, true);
        return {};
    }
    // With Alt held a key is the system's, not the game's.
    if (key.alt || !key.letter) return {};
    return {Route::game_key_released, 0, key.letter - 'a' + 'A'};
}

Route WindowRules::typed(char32_t character, bool alt) {
    if (menu_.title >= 0) return {};
    const Window* w = find(keyboard_);
    if (w) return w->kind == WindowKind::dialog && !alt ? Route{Route::to_window, w->id} : Route{};
    // The accelerators are looked up by the main message loop only.
    if (!alt || loops() > 0) return {};
    int count = 0;
    const Accelerator* keys = accelerators(count);
    for (int i = 0; i < count; ++i)
        if (keys[i].alt && keys[i].character == character) return {Route::command, 0, keys[i].command};
    return {};
}

Route WindowRules::close_box() {
    if (!main_enabled_) return {};
    closing_ = true;
    return {Route::close_program};
}

void WindowRules::uncover_menu() {
    // A drop-down that closes or gives way uncovers the main window.
    if (menu_.open) paint_pending_ = true;
}

void WindowRules::enter_menu(int title, bool open, bool by_keyboard) {
    if (title != menu_.title) uncover_menu();
    menu_.title = title;
    menu_.open = open;
    menu_.item = -1;
    menu_by_keyboard_ = by_keyboard;
}

void WindowRules::leave_menu() {
    uncover_menu();
    menu_ = MenuState{};
    menu_by_keyboard_ = false;
}

Route WindowRules::choose(int item) {
    const int command = menu_at(menu_.title).items[item].command;
    leave_menu();
    return {Route::command, 0, command};
}

MenuState WindowRules::menu() const {
    MenuState m = menu_;
    m.cues = (alt_held_ && keyboard_ == main_window_id) || (m.title >= 0 && menu_by_keyboard_);
    return m;
}
