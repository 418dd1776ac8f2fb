#include "platform/web/web_dialog_view.h"

#include <emscripten.h>

#include <algorithm>

#include "platform/shell/dialog_text.h"
#include "platform/web/web_window.h"

namespace {

struct Views {
    std::vector<DialogView*> open;
    bool dirty = true;
    int keyboard = -1;
    bool main_enabled = true;
    int hidden = 0;
    int32_t clicks = 0;  // button presses the page has queued, so a turn without any asks the page nothing
    // The name edit's text comes through here to be cut to its limit.
    char edit[1024] = {};
};
Views views;

// A text in three parts around its underlined letter, as the page draws it.
struct Parts {
    std::string before, marked, after;
};

Parts parts_of(const std::string& text, bool no_prefix) {
    const ShownText s = shown_text(text, no_prefix);
    if (s.underline == std::string::npos) return {s.text, "", ""};
    std::size_t end = s.underline + 1;
    while (end < s.text.size() && (s.text[end] & 0xC0) == 0x80) ++end;
    return {s.text.substr(0, s.underline), s.text.substr(s.underline, end - s.underline), s.text.substr(end)};
}

const char* kind_name(ControlKind k) {
    switch (k) {
    case ControlKind::icon: return "icon";
    case ControlKind::static_text: return "static";
    case ControlKind::default_button: return "default";
    case ControlKind::button: return "button";
    case ControlKind::edit: return "edit";
    }
    return "static";
}

const ControlLayout* control_of(const DialogView& v, int item) {
    for (int i = 0; v.layout && i < v.layout->control_count; ++i)
        if (v.layout->controls[i].id == item) return &v.layout->controls[i];
    return nullptr;
}

}  // namespace

EM_JS(void, page_window, (int window, int place, int box, int x, int y, int w, int h, const char* caption,
                          int close_command), {
    const v = document.createElement('div');
    v.className = 'window ' + (box ? 'box' : 'dialog');
    v.id = 'window' + window;
    v.dataset.place = place;
    v.dataset.window = window;
    v.dataset.kind = box ? 'box' : 'dialog';
    Object.assign(v.style, {left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px'});
    const bar = document.createElement('div');
    bar.className = 'caption';
    const title = document.createElement('span');
    title.textContent = UTF8ToString(caption);
    // Its close box: Cancel for a dialog, a box's OK.
    const close = document.createElement('button');
    close.className = 'close';
    close.tabIndex = -1;
    close.textContent = String.fromCharCode(0xD7);
    close.addEventListener('click', () => Module.waxdropClick(window, close_command));
    bar.append(title, close);
    v.append(bar);
    v.addEventListener('focusin', e => { v.waxdropFocus = e.target; });
    document.getElementById('windows').append(v);
});

EM_JS(void, page_control, (int window, const char* kind, int id, int x, int y, int w, int h, const char* text,
                           const char* before, const char* marked, const char* after), {
    const v = document.getElementById('window' + window);
    const k = UTF8ToString(kind);
    let e;
    if (k === 'edit') {
        e = document.createElement('input');
        e.type = 'text';
        e.autocomplete = 'off';
        e.spellcheck = false;
        e.value = UTF8ToString(text);
        e.addEventListener('input', () => Module.waxdropKeepName(e));
    } else if (k === 'icon') {
        e = document.createElement('img');
        e.src = 'waxdrop.ico';
        e.alt = "";
    } else if (k === 'sign') {
        e = document.createElement('div');
    } else {
        e = document.createElement(k === 'static' ? 'div' : 'button');
        if (k !== 'static') {
            e.type = 'button';
            e.addEventListener('click', () => Module.waxdropClick(window, id));
        }
    }
    e.classList.add('control', k);
    if (k !== 'sign') {
        e.dataset.id = id;
        e.dataset.kind = k === 'default' ? 'button' : k;
        e.dataset.text = UTF8ToString(text);
    }
    Object.assign(e.style, {left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px'});
    v.append(e);
    if (k !== 'edit' && k !== 'icon' && k !== 'sign') Module.waxdropLabel(e, before, marked, after);
});

EM_JS(void, page_set_text, (int window, int id, const char* text, const char* before, const char* marked,
                            const char* after), {
    const v = document.getElementById('window' + window);
    const e = v && v.querySelector('[data-id="' + id + '"]');
    if (!e) return;
    e.dataset.text = UTF8ToString(text);
    if (e.tagName === 'INPUT') e.value = UTF8ToString(text);
    else Module.waxdropLabel(e, before, marked, after);
});

EM_JS(int, page_text, (int window, int id, char* out, int capacity), {
    const v = document.getElementById('window' + window);
    const e = v && v.querySelector('[data-id="' + id + '"]');
    const s = !e ? "" : e.tagName === 'INPUT' ? e.value : e.dataset.text;
    return stringToUTF8(s, out, capacity);
});

EM_JS(int, page_text_width, (const char* text), {
    const measure = Module.waxdropMeasure || (Module.waxdropMeasure = document.createElement('canvas').getContext('2d'));
    measure.font = getComputedStyle(document.getElementById('windows')).font;
    return Math.ceil(measure.measureText(UTF8ToString(text)).width);
});

EM_JS(void, page_views_attach, (char* edit, int edit_size, int32_t* clicks), {
    Module.waxdropClicks = [];
    Module.waxdropClick = (window, command) => {
        Module.waxdropClicks.push([window, command]);
        HEAP32[clicks >> 2] = Module.waxdropClicks.length;
        if (Module.waxdropWake) Module.waxdropWake();
    };
    // A label: the letter after an '&' underlined. The text stays one run,
    // shaped as it would be without the mark; the line is drawn under the
    // letter's place.
    Module.waxdropLabel = (e, before, marked, after) => {
        const head = UTF8ToString(before), mark = UTF8ToString(marked);
        e.textContent = head + mark + UTF8ToString(after);
        if (!mark) return;
        const range = document.createRange();
        range.setStart(e.firstChild, head.length);
        range.setEnd(e.firstChild, head.length + mark.length);
        const at = range.getBoundingClientRect(), box = e.getBoundingClientRect();
        const line = document.createElement('div');
        line.className = 'underline';
        Object.assign(line.style, {left: (at.left - box.left) + 'px', top: (at.top - box.top + 13) + 'px',
                                   width: at.width + 'px'});
        e.append(line);
    };
    Module.waxdropKeepName = e => {
        stringToUTF8(e.value, edit, edit_size);
        const keep = _web_edit_keep();
        if (keep < lengthBytesUTF8(e.value)) e.value = UTF8ToString(edit, keep);
    };
});

EM_JS(int, page_take_click, (int* window, int32_t* clicks), {
    const click = Module.waxdropClicks.shift();
    HEAP32[clicks >> 2] = Module.waxdropClicks.length;
    if (!click) return 0;
    HEAP32[window >> 2] = click[0];
    return click[1];
});

EM_JS(void, page_window_remove, (int window), {
    const v = document.getElementById('window' + window);
    if (v) v.remove();
});

EM_JS(void, page_windows_show, (int keyboard, int main_enabled, const int* hidden, int hidden_count), {
    const client = document.getElementById('client');
    client.dataset.keyboard = keyboard;
    client.dataset.mainEnabled = main_enabled ? 'yes' : 'no';
    const gone = new Set(HEAP32.subarray(hidden >> 2, (hidden >> 2) + hidden_count));
    const layer = document.getElementById('windows');
    for (const v of layer.children) {
        const id = +v.dataset.window;
        v.hidden = gone.has(id);
        v.classList.toggle('active', id === keyboard);
        v.querySelectorAll('input, button:not(.close)').forEach(c => { c.tabIndex = id === keyboard ? 0 : -1; });
    }
    const active = document.activeElement;
    if (!keyboard) {
        if (active && layer.contains(active)) active.blur();
        return;
    }
    const v = document.getElementById('window' + keyboard);
    if (!v || v.contains(active)) return;
    const first = !v.waxdropFocus;
    const to = !first && v.contains(v.waxdropFocus) ? v.waxdropFocus :
        v.querySelector('input') || v.querySelector('button.default') || v.querySelector('button:not(.close)');
    if (!to) return;
    to.focus();
    // The name opens selected, ready to be typed over.
    if (first && to.select) to.select();
});

extern "C" EMSCRIPTEN_KEEPALIVE int web_edit_keep() {
    return static_cast<int>(name_bytes_kept(views.edit));
}

namespace {

void add(DialogView& v) {
    views.open.push_back(&v);
    views.dirty = true;
}

void add_control(const DialogView& v, const ControlLayout& c) {
    const PixelRect r = control_rect(c, v.rect);
    const Parts p = parts_of(c.text, c.no_prefix);
    page_control(v.window, kind_name(c.kind), c.id, r.x - v.rect.x, r.y - v.rect.y, r.w, r.h, c.text,
                 p.before.c_str(), p.marked.c_str(), p.after.c_str());
}

void add_box_part(const DialogView& v, const char* kind, int id, const PixelRect& r, const std::string& text) {
    page_control(v.window, kind, id, r.x - v.rect.x, r.y - v.rect.y, r.w, r.h, text.c_str(), text.c_str(), "", "");
}

}  // namespace

void dialog_views_attach() { page_views_attach(views.edit, sizeof views.edit, &views.clicks); }

void dialog_view_open(DialogView& v, const DialogLayout* layout, DialogProc proc, int window) {
    v.layout = layout;
    v.proc = proc;
    v.window = window;
    v.rect = dialog_rect(*layout, menu_bar_height);
    page_window(window, Place::popup, 0, v.rect.x, v.rect.y, v.rect.w, v.rect.h, layout->caption, command_cancel);
    for (int i = 0; i < layout->control_count; ++i) add_control(v, layout->controls[i]);
    add(v);
}

void dialog_view_open_box(DialogView& v, const std::string& message, const std::string& caption, int window) {
    v.window = window;
    v.rect = box_rect(page_text_width(message.c_str()), client_width, client_height);
    page_window(window, Place::popup, 1, v.rect.x, v.rect.y, v.rect.w, v.rect.h, caption.c_str(), command_ok);
    add_box_part(v, "sign", -1, box_sign_rect(v.rect), "");
    add_box_part(v, "static", -1, box_text_rect(v.rect), message);
    add_box_part(v, "default", command_ok, box_button_rect(v.rect), "OK");
    add(v);
}

void dialog_view_close(DialogView& v) {
    views.open.erase(std::remove(views.open.begin(), views.open.end(), &v), views.open.end());
    page_window_remove(v.window);
    views.dirty = true;
}

DialogView* dialog_view_of(int window) {
    for (DialogView* v : views.open)
        if (v->window == window) return v;
    return nullptr;
}

void dialog_view_command(DialogView* v, int command) {
    if (!v || !window_rules().turning(v->window)) return;
    if (v->layout) v->proc(v, DialogEvent::command, command);
    else dialog_end(v, command);
    views.dirty = true;
}

void dialog_views_run_pending() {
    int window = 0;
    while (views.clicks > 0)
        if (const int command = page_take_click(&window, &views.clicks)) dialog_view_command(dialog_view_of(window), command);
}

void dialog_views_show() {
    const WindowRules& rules = window_rules();
    // At most a dialog, a box over it and their ends: a few ids.
    int hidden[8];
    int hidden_count = 0;
    for (const DialogView* v : views.open)
        if (!rules.shown(v->window) && hidden_count < 8) hidden[hidden_count++] = v->window;
    if (!views.dirty && rules.keyboard() == views.keyboard && rules.main_enabled() == views.main_enabled &&
        hidden_count == views.hidden)
        return;
    views.dirty = false;
    views.keyboard = rules.keyboard();
    views.main_enabled = rules.main_enabled();
    views.hidden = hidden_count;
    page_windows_show(views.keyboard, views.main_enabled, hidden, hidden_count);
}

void dialog_view_set_text(DialogView& v, int item, const std::string& text) {
    const ControlLayout* c = control_of(v, item);
    if (!c) return;
    const Parts p = parts_of(text, c->no_prefix);
    page_set_text(v.window, item, text.c_str(), p.before.c_str(), p.marked.c_str(), p.after.c_str());
}

std::string dialog_view_text(const DialogView& v, int item) {
    if (!control_of(v, item)) return {};
    std::string out(4 * 1024, '\0');
    out.resize(static_cast<std::size_t>(page_text(v.window, item, out.data(), static_cast<int>(out.size()))));
    return out;
}
