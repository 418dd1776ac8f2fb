#pragma once
// The window rules the game was made under, for a shell whose window system
// has other ones. On Windows the system itself decides which window has the
// keyboard, which is enabled, which modal loop turns and when a paint is due;
// a shell that draws the menu and the dialogs inside one window of its own
// keeps those decisions here, feeds this model its events, and only draws
// what the model says. Window thread only.
//
// The rules kept:
// - A dialog is owned by the main window and disables it while it is up; a
//   message box owns no window and leaves the main window enabled.
// - The window that opens takes the keyboard; a click gives it to the window
//   clicked (a click on a disabled main window goes to the dialog over it).
// - Keys go to the window with the keyboard: a dialog takes Enter as OK and
//   Esc as Cancel, a box takes Enter, Space and Esc as its OK, the main window
//   takes P's release (not with Alt held: that is a system key) and opens its
//   menu with Alt, F10 or Alt and a menu's letter. Alt+F4 closes the window
//   with the keyboard: a dialog gets Cancel, a box OK, the main window ends
//   the program.
// - The accelerators (Alt with a typed character) work only in the main loop.
// - A frame runs only when the last one asked for it or the main window was
//   uncovered (a dialog or a drop-down went away), in every loop.
// - A dialog that ends is hidden at once and gives its owner back, even
//   while a loop opened inside it still turns; the window now under the
//   pointer hears of it as a move.

#include <cstdint>
#include <vector>

enum class WindowKind { main, dialog, box };

// The main window's id; dialogs and boxes get ids from 1 on.
constexpr int main_window_id = 0;

enum class Key { other, alt, f4, f10, enter, escape, space, left, right, up, down };

struct KeyStroke {
    Key key = Key::other;
    char letter = 0;     // 'a' to 'z' for a letter key, whatever the layout puts there; 0 otherwise
    bool alt = false;    // Alt held
};

// Where the pointer is, as the shell's own hit test found it.
struct Place {
    enum Kind { field, bar, menu_title, menu_item, popup } kind = field;
    int index = -1;   // menu_title: which menu; menu_item: which item of the open one
    int window = 0;   // popup: the dialog or box
};

// What the shell does with an event.
struct Route {
    enum Kind {
        none,              // swallowed
        game_mouse_moved,  // the game's controls
        game_left_button,
        game_key_released, // value: the virtual key
        command,           // value: a command for the main window (menu, accelerator)
        to_window,         // let the dialog's or box's own controls have the event
        window_command,    // value: the command the dialog's procedure receives (a box's 1 closes it)
        close_program,     // the main window closes: every loop ends, then the game shuts down
    } kind = none;
    int window = 0;
    int value = 0;
};

// What a pump does once the events of a turn are handled.
enum class PumpStep {
    unwind,   // the program is closing: the loop returns, so the loops under it can end
    destroy,  // every loop has ended: run the destroy handler now, once
    frame,    // one frame
    idle,     // nothing due: wait for the next event
};

struct MenuState {
    int title = -1;     // the menu title that is selected, -1 while the menu bar is idle
    bool open = false;  // its drop-down is shown
    int item = -1;      // the highlighted item of the drop-down, -1 none
    bool cues = false;  // mnemonic underlines shown
};

class WindowRules {
public:
    // A dialog or box appears, takes the keyboard and starts its loop.
    int open(WindowKind kind);
    // The dialog or box has ended (its procedure or its OK said so): hidden
    // at once, its owner enabled again when it disabled it.
    void end(int window);
    // Its loop has returned.
    void forget(int window);
    // Its loop goes on: not ended, and the program is not closing.
    bool turning(int window) const;
    bool shown(int window) const;
    // Shown dialogs and boxes, the one drawn last (on top) last.
    std::vector<int> shown_windows() const;
    int keyboard() const { return keyboard_; }
    bool main_enabled() const { return main_enabled_; }
    // Modal loops turning, one per dialog or box not yet forgotten.
    int loops() const { return static_cast<int>(windows_.size()); }

    // The last frame asked for the next one; the main window was uncovered.
    void frame_requested() { paint_pending_ = true; }
    void exposed() { paint_pending_ = true; }
    // True when a frame is due now; it is then no longer pending.
    bool take_frame();

    // A window that went away may have left the pointer over another one,
    // which then hears of it as a move: true once after each such change.
    bool take_pointer_recheck();

    void close_program() { closing_ = true; }
    bool closing() const { return closing_; }
    // The window goes only once the frame that opened a dialog or box has
    // finished, so the game is never shut down under a running frame.
    PumpStep after_events();
    bool destroyed() const { return destroyed_; }

    Route key_down(const KeyStroke& key);
    Route key_up(const KeyStroke& key);
    // A character typed (after the key that made it went down).
    Route typed(char32_t character, bool alt);
    Route pointer_moved(const Place& place);
    Route button_down(const Place& place);
    // The main window's close box.
    Route close_box();

    MenuState menu() const;

private:
    struct Window {
        int id;
        WindowKind kind;
        bool shown = true;
        bool disabled_owner = false;  // it disabled the main window and enables it when it ends
    };
    Window* find(int id);
    const Window* find(int id) const;
    void give_keyboard_to_top();
    Route activate(int window);
    Route main_key_down(const KeyStroke& key);
    Route menu_key_down(const KeyStroke& key);
    Route menu_button_down(const Place& place);
    void uncover_menu();
    void enter_menu(int title, bool open, bool by_keyboard);
    void leave_menu();
    Route choose(int item);

    std::vector<Window> windows_;
    int next_id_ = 1;
    int keyboard_ = main_window_id;
    bool main_enabled_ = true;
    bool paint_pending_ = false;
    bool pointer_recheck_ = false;
    bool closing_ = false;
    bool destroyed_ = false;
    bool alt_held_ = false;
    bool menu_key_armed_ = false;  // Alt or F10 went down alone: its release enters the menu bar
    MenuState menu_;
    bool menu_by_keyboard_ = false;
};
