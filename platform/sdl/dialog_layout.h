#pragma once
// The three dialog templates of the game, as the Windows build's resource
// script declares them: ids, kinds, texts, places in dialog units, order and
// fonts. The Linux shell lays its dialogs out from this one table, and a test
// holds it against resources/waxdrop.rc so the two builds cannot drift apart.

enum class ControlKind { icon, static_text, default_button, button, edit };

struct ControlLayout {
    ControlKind kind;
    int id;             // -1 for a control without one (IDC_STATIC)
    int x, y, w, h;     // dialog units
    const char* text;   // the template's text; an icon names its resource number
    bool no_prefix;     // ampersands shown as they are
};

struct DialogLayout {
    int id;
    const char* caption;
    const char* font;
    int font_points;
    int x, y, w, h;     // dialog units
    bool topmost;
    const ControlLayout* controls;
    int control_count;
};

// Null for an unknown template.
const DialogLayout* find_dialog_layout(int id);
// All of them, for the test.
const DialogLayout* const* dialog_layouts(int& count);

// The icon the window, the About box and the package show.
constexpr int main_icon_id = 107;
