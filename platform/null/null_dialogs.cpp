#include "platform/null/null_dialogs.h"

NullDialogs null_dialogs;

void reset_null_dialogs() { null_dialogs = NullDialogs{}; }

NullDialogStep null_type(int item, std::u16string text) {
    return NullDialogStep{NullDialogStep::type, item, 0, std::move(text)};
}

NullDialogStep null_press(int command) { return NullDialogStep{NullDialogStep::press, 0, command, {}}; }

namespace {

NullDialogRun& run_of(DialogHandle dialog) { return *static_cast<NullDialogRun*>(dialog); }

// Feed the script to one open dialog until it ends or the player runs out.
void play(NullDialogRun& run, DialogProc proc) {
    for (int steps = 0; !run.ended; ++steps) {
        if (null_dialogs.script.empty() || steps >= null_dialogs.step_limit) {
            run.abandoned = true;
            return;
        }
        NullDialogStep step = std::move(null_dialogs.script.front());
        null_dialogs.script.pop_front();
        if (step.kind == NullDialogStep::type)
            run.items[step.item] = step.text;
        else
            run.answers.push_back(proc(&run, DialogEvent::command, step.command));
    }
}

}  // namespace

intptr_t dialog_run(int template_id, DialogProc proc) {
    NullDialogRun run;
    run.template_id = template_id;
    run.answers.push_back(proc(&run, DialogEvent::init, 0));
    run.shown = run.items;
    if (!run.ended && null_dialogs.while_dialog_open) null_dialogs.while_dialog_open();
    play(run, proc);
    const intptr_t result = run.result;
    null_dialogs.runs.push_back(std::move(run));
    return result;
}

void dialog_end(DialogHandle dialog, intptr_t result) {
    NullDialogRun& run = run_of(dialog);
    run.ended = true;
    run.result = result;
}

void dialog_set_text(DialogHandle dialog, int item, const char16_t* text) { run_of(dialog).items[item] = text; }

void dialog_get_text(DialogHandle dialog, int item, char16_t* out, int capacity) {
    if (capacity <= 0) return;
    const std::u16string& text = run_of(dialog).items[item];
    int n = 0;
    for (; n < capacity - 1 && n < static_cast<int>(text.size()); ++n) out[n] = text[n];
    out[n] = 0;
}

void message_box(const char16_t* text, const char16_t* caption) {
    null_dialogs.boxes.emplace_back(text, caption);
    if (null_dialogs.while_box_open) null_dialogs.while_box_open();
}
