#pragma once
// The game's menu, accelerators, dialog templates and strings, as the
// Windows build's resource script (resources/waxdrop.rc) declares them. The
// shells that draw their own menus and dialogs lay them out from these
// tables, which the build makes from that script (tools/rc_tables), so the
// numbers and layouts are written once. Any thread; the tables never change.

enum class ControlKind { icon, static_text, default_button, button, edit };

struct ControlLayout {
    ControlKind kind;
    int id;            // -1 for a control without one
    int x, y, w, h;    // dialog units
    const char* text;  // the template's text, UTF-8; an icon names its resource number
    bool no_prefix;    // ampersands shown as they are
};

struct DialogLayout {
    int id;
    const char* caption;
    const char* font;
    int font_points;
    int x, y, w, h;    // dialog units
    bool topmost;
    bool visible;
    const ControlLayout* controls;
    int control_count;
};

struct MenuItemLayout {
    const char* label;  // '&' before the mnemonic letter
    int command;
};

struct MenuLayout {
    const char* label;
    const MenuItemLayout* items;
    int item_count;
};

// Alt (when alt) with the typed character gives command.
struct Accelerator {
    char32_t character;
    bool alt;
    int command;
};

// The main window's menu bar, left to right.
const MenuLayout* menu_bar(int& count);
const Accelerator* accelerators(int& count);
// Null for an unknown template.
const DialogLayout* find_dialog_layout(int id);
// A string of the string table, UTF-8; empty for an unknown id.
const char* resource_string(int id);
