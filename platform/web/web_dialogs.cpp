// Dialogs and message boxes in the browser, for now as plain boxes of the
// page over the field: the texts, the name field and the buttons of the
// game's dialog templates (the one table the Linux shell lays out from), OK
// on Enter, Cancel on Esc. A modal call turns the shell's pump until its box
// has ended, so frames go on behind it, as behind the system's dialogs on
// Windows; a dialog owned by the window keeps input away from the field while
// it is open, a message box (no owner) does not.

#include <emscripten.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/os/utf.h"
#include "platform/sdl/dialog_layout.h"
#include "platform/web/web_shell.h"

namespace {

struct WebDialog {
    int box = 0;
    DialogProc proc = nullptr;  // null for a message box
    bool ended = false;
    intptr_t result = 0;
};

std::vector<WebDialog*> open_boxes;
int owned_open = 0;

}  // namespace

EM_JS(int, box_open, (const char* caption), {
    const boxes = document.getElementById('boxes');
    if (!boxes) return 0;
    Module.waxdropBoxes = Module.waxdropBoxes || {next: 1, commands: []};
    const id = Module.waxdropBoxes.next++;
    const box = document.createElement('form');
    box.className = 'box';
    box.id = 'box' + id;
    const title = document.createElement('h2');
    title.textContent = UTF8ToString(caption);
    box.appendChild(title);
    const buttons = document.createElement('div');
    buttons.className = 'buttons';
    box.appendChild(buttons);
    const send = command => Module.waxdropBoxes.commands.push([id, command]);
    box.addEventListener('submit', e => {
        e.preventDefault();
        send(1);
    });
    box.addEventListener('keydown', e => {
        if (e.key === 'Escape') {
            e.preventDefault();
            send(2);
        }
    });
    boxes.appendChild(box);
    return id;
});

EM_JS(void, box_add, (int id, int kind, int item, const char* text), {
    const box = document.getElementById('box' + id);
    const s = UTF8ToString(text);
    let e;
    if (kind === 0) {
        e = document.createElement('p');
        e.textContent = s;
        box.insertBefore(e, box.lastChild);
    } else if (kind === 1) {
        e = document.createElement('input');
        e.type = 'text';
        e.value = s;
        e.autocomplete = 'off';
        box.insertBefore(e, box.lastChild);
    } else {
        e = document.createElement('button');
        e.textContent = s;
        e.type = kind === 2 ? 'submit' : 'button';
        if (kind === 3) e.addEventListener('click', () => Module.waxdropBoxes.commands.push([id, item]));
        box.lastChild.appendChild(e);
    }
    e.dataset.item = item;
});

EM_JS(void, box_shown, (int id), {
    const box = document.getElementById('box' + id);
    const first = box.querySelector('button');
    if (first) first.focus();
});

EM_JS(void, box_set_text, (int id, int item, const char* text), {
    const box = document.getElementById('box' + id);
    const e = box && box.querySelector('[data-item="' + item + '"]');
    if (!e) return;
    if (e.tagName === 'INPUT') e.value = UTF8ToString(text);
    else e.textContent = UTF8ToString(text);
});

EM_JS(void, box_get_text, (int id, int item, char16_t* out, int capacity), {
    const box = document.getElementById('box' + id);
    const e = box && box.querySelector('[data-item="' + item + '"]');
    const s = !e ? "" : e.tagName === 'INPUT' ? e.value : e.textContent;
    stringToUTF16(s, out, capacity * 2);
});

EM_JS(void, box_close, (int id), {
    const box = document.getElementById('box' + id);
    if (box) box.remove();
});

EM_JS(int, box_next_command, (int* box), {
    const b = Module.waxdropBoxes;
    const c = b && b.commands.shift();
    if (!c) return 0;
    HEAP32[box >> 2] = c[0];
    return c[1];
});

namespace {

enum BoxPart : int { text_part, edit_part, default_button_part, button_part };

void run_loop(WebDialog& d) {
    open_boxes.push_back(&d);
    box_shown(d.box);
    while (!d.ended && shell_window_exists()) shell_pump();
    std::erase(open_boxes, &d);
    box_close(d.box);
}

}  // namespace

intptr_t dialog_run(int template_id, DialogProc proc) {
    const DialogLayout* layout = find_dialog_layout(template_id);
    if (!layout || !proc || !shell_window_exists()) return -1;
    WebDialog d;
    d.proc = proc;
    d.box = box_open(layout->caption);
    if (!d.box) return -1;
    for (int i = 0; i < layout->control_count; ++i) {
        const ControlLayout& c = layout->controls[i];
        switch (c.kind) {
        case ControlKind::icon: break;
        case ControlKind::static_text: box_add(d.box, text_part, c.id, c.text); break;
        case ControlKind::edit: box_add(d.box, edit_part, c.id, c.text); break;
        case ControlKind::default_button: box_add(d.box, default_button_part, c.id, c.text); break;
        case ControlKind::button: box_add(d.box, button_part, c.id, c.text); break;
        }
    }
    ++owned_open;
    shell_set_window_enabled(false);
    proc(&d, DialogEvent::init, 0);
    run_loop(d);
    shell_set_window_enabled(--owned_open == 0);
    return d.result;
}

void dialog_end(DialogHandle dialog, intptr_t result) {
    WebDialog* d = static_cast<WebDialog*>(dialog);
    d->ended = true;
    d->result = result;
}

void dialog_set_text(DialogHandle dialog, int item, const char16_t* text) {
    box_set_text(static_cast<WebDialog*>(dialog)->box, item, utf16_to_utf8(text).c_str());
}

void dialog_get_text(DialogHandle dialog, int item, char16_t* out, int capacity) {
    if (capacity <= 0) return;
    box_get_text(static_cast<WebDialog*>(dialog)->box, item, out, capacity);
}

void message_box(const char16_t* text, const char16_t* caption) {
    if (!shell_window_exists()) return;
    WebDialog d;
    d.box = box_open(utf16_to_utf8(caption).c_str());
    if (!d.box) return;
    box_add(d.box, text_part, -1, utf16_to_utf8(text).c_str());
    box_add(d.box, default_button_part, command_ok, "OK");
    run_loop(d);
}

void dialogs_deliver() {
    int box = 0;
    for (int command; (command = box_next_command(&box)) != 0;) {
        const auto it = std::find_if(open_boxes.begin(), open_boxes.end(), [&](WebDialog* d) { return d->box == box; });
        if (it == open_boxes.end() || (*it)->ended) continue;
        WebDialog* d = *it;
        // A message box has only its OK; Esc closes it as well.
        if (!d->proc) dialog_end(d, command_ok);
        else d->proc(d, DialogEvent::command, command);
    }
}
