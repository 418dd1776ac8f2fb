#include "platform/web/web_menu_bar.h"

#include <emscripten.h>

#include <string>

#include "platform/shell/dialog_text.h"
#include "platform/shell/resource_tables.h"
#include "platform/web/web_window.h"

namespace {

struct Shown {
    MenuState menu;
    bool enabled = true;
    bool valid = false;
};
Shown shown;

// A label in three parts around its mnemonic letter, as the page draws it.
struct Parts {
    std::string before, marked, after;
};

Parts parts_of(const char* label) {
    const ShownText s = shown_text(label, false);
    if (s.underline == std::string::npos) return {s.text, "", ""};
    std::size_t end = s.underline + 1;
    while (end < s.text.size() && (s.text[end] & 0xC0) == 0x80) ++end;
    return {s.text.substr(0, s.underline), s.text.substr(s.underline, end - s.underline), s.text.substr(end)};
}

}  // namespace

// A title of the bar (item < 0, with its empty drop-down after it) or an
// item of menu's drop-down, its mnemonic letter marked.
EM_JS(void, page_menu_entry, (int menu, int item, int place, const char* before, const char* marked, const char* after), {
    const bar = document.getElementById('menubar');
    const entry = document.createElement('div');
    entry.className = item < 0 ? 'title' : 'item';
    entry.dataset.place = place;
    entry.dataset.index = item < 0 ? menu : item;
    const mark = document.createElement('span');
    mark.className = 'mnemonic';
    mark.textContent = UTF8ToString(marked);
    entry.append(UTF8ToString(before), mark, UTF8ToString(after));
    if (item >= 0) return bar.querySelectorAll('.dropdown')[menu].append(entry);
    const drop = document.createElement('div');
    drop.className = 'dropdown';
    bar.append(entry, drop);
});

EM_JS(void, page_menu_show, (int title, int open, int item, int cues, int enabled), {
    const bar = document.getElementById('menubar');
    bar.classList.toggle('cues', !!cues);
    bar.classList.toggle('disabled', !enabled);
    bar.querySelectorAll('.title').forEach((t, m) => {
        t.classList.toggle('selected', m === title);
        const drop = t.nextElementSibling;
        // The drop-down hangs below its title.
        drop.style.left = t.offsetLeft + 'px';
        drop.classList.toggle('open', m === title && !!open);
        drop.querySelectorAll('.item').forEach((row, i) => row.classList.toggle('selected', m === title && i === item));
    });
});

void menu_bar_build() {
    int count = 0;
    const MenuLayout* menus = menu_bar(count);
    for (int m = 0; m < count; ++m) {
        const Parts t = parts_of(menus[m].label);
        page_menu_entry(m, -1, Place::menu_title, t.before.c_str(), t.marked.c_str(), t.after.c_str());
        for (int i = 0; i < menus[m].item_count; ++i) {
            const Parts p = parts_of(menus[m].items[i].label);
            page_menu_entry(m, i, Place::menu_item, p.before.c_str(), p.marked.c_str(), p.after.c_str());
        }
    }
    shown.valid = false;
    menu_bar_show();
}

void menu_bar_show() {
    const WindowRules& rules = window_rules();
    const MenuState m = rules.menu();
    const bool same = shown.valid && m.title == shown.menu.title && m.open == shown.menu.open &&
                      m.item == shown.menu.item && m.cues == shown.menu.cues && rules.main_enabled() == shown.enabled;
    if (same) return;
    shown = {m, rules.main_enabled(), true};
    page_menu_show(m.title, m.open, m.item, m.cues, rules.main_enabled());
}
