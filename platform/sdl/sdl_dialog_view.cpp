#include "platform/sdl/sdl_dialog_view.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/sdl/sdl_imgui.h"
#include "platform/sdl/sdl_window.h"
#include "platform/shell/dialog_text.h"

namespace {

constexpr ImU32 text_colour = IM_COL32(0, 0, 0, 255);

std::vector<DialogView*> views;
struct Pending {
    int window;
    int command;
};
std::vector<Pending> pending;
SDL_Texture* icon_texture = nullptr;
bool dirty = true;
std::string published;

ImVec2 vec(float x, float y) { return ImVec2(x, y); }
ImVec2 vec(int x, int y) { return ImVec2(static_cast<float>(x), static_cast<float>(y)); }

// The system's warning sign: a yellow triangle with an exclamation mark.
void draw_warning_sign(ImDrawList* dl, ImVec2 at) {
    dl->AddTriangleFilled(vec(at.x + 16, at.y), vec(at.x + 32, at.y + 30), vec(at.x, at.y + 30),
                          IM_COL32(250, 200, 20, 255));
    dl->AddTriangle(vec(at.x + 16, at.y), vec(at.x + 32, at.y + 30), vec(at.x, at.y + 30), IM_COL32(120, 90, 0, 255));
    dl->AddRectFilled(vec(at.x + 14.5f, at.y + 9), vec(at.x + 17.5f, at.y + 21), text_colour);
    dl->AddRectFilled(vec(at.x + 14.5f, at.y + 23), vec(at.x + 17.5f, at.y + 27), text_colour);
}

// A static control: its text as the system shows it, wrapped inside its box,
// the letter after an '&' underlined.
void draw_static(ImDrawList* dl, ImVec2 at, ImVec2 size, const std::string& text, bool no_prefix) {
    const ShownText shown = shown_text(text, no_prefix);
    ImFont* font = ImGui::GetFont();
    const float px = ImGui::GetFontSize();
    dl->PushClipRect(at, vec(at.x + size.x, at.y + size.y), true);
    dl->AddText(font, px, at, text_colour, shown.text.c_str(), nullptr, size.x);
    if (shown.underline != std::string::npos) {
        const char* s = shown.text.c_str();
        const float x0 = font->CalcTextSizeA(px, 1e9f, 0, s, s + shown.underline).x;
        const char* next = s + shown.underline + 1;
        while ((*next & 0xC0) == 0x80) ++next;
        const float x1 = font->CalcTextSizeA(px, 1e9f, 0, s, next).x;
        dl->AddLine(vec(at.x + x0, at.y + px), vec(at.x + x1, at.y + px), text_colour);
    }
    dl->PopClipRect();
}

int keep_name_short(ImGuiInputTextCallbackData* data) {
    const std::string text(data->Buf, static_cast<size_t>(data->BufTextLen));
    const size_t keep = name_bytes_kept(text);
    if (keep < text.size()) data->DeleteChars(static_cast<int>(keep), data->BufTextLen - static_cast<int>(keep));
    return 0;
}

void draw_control(DialogView* v, int i, ImVec2 origin) {
    const ControlLayout& c = v->layout->controls[i];
    const ImVec2 at(origin.x + static_cast<float>(dlu_x(c.x)), origin.y + static_cast<float>(dlu_y(c.y)));
    const ImVec2 size(static_cast<float>(dlu_x(c.w)), static_cast<float>(dlu_y(c.h)));
    ImDrawList* dl = ImGui::GetWindowDrawList();
    const std::string& text = v->texts[static_cast<size_t>(i)];
    ImGui::SetCursorScreenPos(at);
    ImGui::PushID(i);
    switch (c.kind) {
    case ControlKind::icon:
        if (icon_texture) dl->AddImage(icon_texture, at, vec(at.x + 32, at.y + 32));
        break;
    case ControlKind::static_text:
        draw_static(dl, at, size, text, c.no_prefix);
        break;
    case ControlKind::default_button:
    case ControlKind::button:
        if (ImGui::Button(text.c_str(), size)) pending.push_back({v->window, c.id});
        // The default button wears a darker frame.
        if (c.kind == ControlKind::default_button)
            dl->AddRect(vec(at.x - 1, at.y - 1), vec(at.x + size.x + 1, at.y + size.y + 1), text_colour);
        break;
    case ControlKind::edit:
        ImGui::SetNextItemWidth(size.x);
        if (v->first_pass) ImGui::SetKeyboardFocusHere();
        ImGui::InputText("##edit", v->edit, sizeof v->edit,
                         ImGuiInputTextFlags_AutoSelectAll | ImGuiInputTextFlags_CallbackEdit, keep_name_short);
        break;
    }
    ImGui::PopID();
}

void draw_box_body(DialogView* v, ImVec2 origin) {
    ImDrawList* dl = ImGui::GetWindowDrawList();
    draw_warning_sign(dl, vec(origin.x + 16, origin.y + 14));
    dl->AddText(vec(origin.x + 64, origin.y + 22), text_colour, v->message.c_str());
    ImGui::SetCursorScreenPos(vec(origin.x + static_cast<float>(v->rect.w - 92), origin.y + 56));
    if (ImGui::Button("OK", vec(76, 22))) pending.push_back({v->window, command_ok});
}

// The caption bar: the window with the keyboard wears the active colours.
// Its close box is Cancel (a message box's only button is OK).
void draw_caption(DialogView* v, bool active) {
    ImDrawList* dl = ImGui::GetWindowDrawList();
    const ImVec2 at = vec(v->rect.x, v->rect.y);
    const ImVec2 end = vec(v->rect.x + v->rect.w, v->rect.y + caption_height);
    dl->AddRectFilled(at, end, active ? IM_COL32(0, 84, 153, 255) : IM_COL32(191, 205, 219, 255));
    dl->AddText(vec(at.x + 6, at.y + 3), active ? IM_COL32(255, 255, 255, 255) : text_colour, v->caption.c_str());
    ImGui::SetCursorScreenPos(vec(end.x - 21, at.y + 2));
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, vec(0, 0));
    if (ImGui::Button("\xC3\x97", vec(18, 15))) pending.push_back({v->window, v->layout ? command_cancel : command_ok});
    ImGui::PopStyleVar();
}

void draw_view(DialogView* v) {
    const WindowRules& rules = window_rules();
    constexpr ImGuiWindowFlags flags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                                       ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                                       ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoTitleBar |
                                       ImGuiWindowFlags_NoBringToFrontOnFocus;
    ImGui::SetNextWindowPos(vec(v->rect.x, v->rect.y));
    ImGui::SetNextWindowSize(vec(v->rect.w, v->rect.h));
    char name[32];
    std::snprintf(name, sizeof name, "window %d", v->window);
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, vec(0, 0));
    ImGui::Begin(name, nullptr, flags);
    ImGui::PopStyleVar();
    const bool active = rules.keyboard() == v->window;
    if (active && !ImGui::IsWindowFocused()) ImGui::SetWindowFocus();
    draw_caption(v, active);
    const ImVec2 origin(static_cast<float>(v->rect.x), static_cast<float>(v->rect.y + caption_height));
    if (v->layout) {
        for (int i = 0; i < v->layout->control_count; ++i) draw_control(v, i, origin);
    } else {
        draw_box_body(v, origin);
    }
    ImGui::End();
    v->first_pass = false;
}

void append_json(std::string& out, const std::string& s) {
    out += '"';
    for (const char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += c;
        }
    }
    out += '"';
}

void append_control(std::string& out, const char* kind, int id, SDL_Rect r, const std::string& text) {
    char head[160];
    std::snprintf(head, sizeof head, "{\"kind\":\"%s\",\"id\":%d,\"rect\":[%d,%d,%d,%d],\"text\":", kind, id, r.x,
                  r.y, r.w, r.h);
    out += head;
    append_json(out, text);
    out += "},";
}

const char* kind_name(ControlKind k) {
    switch (k) {
    case ControlKind::icon: return "icon";
    case ControlKind::static_text: return "static";
    case ControlKind::default_button:
    case ControlKind::button: return "button";
    case ControlKind::edit: return "edit";
    }
    return "?";
}

void append_view(std::string& out, const DialogView* v) {
    char head[96];
    std::snprintf(head, sizeof head, "{\"id\":%d,\"kind\":\"%s\",\"rect\":[%d,%d,%d,%d],\"caption\":", v->window,
                  v->layout ? "dialog" : "box", v->rect.x, v->rect.y, v->rect.w, v->rect.h);
    out += head;
    append_json(out, v->caption);
    out += ",\"controls\":[";
    const int top = v->rect.y + caption_height;
    if (!v->layout) {
        append_control(out, "static", -1, {v->rect.x + 64, top + 22, v->rect.w - 80, 16}, v->message);
        append_control(out, "button", command_ok, {v->rect.x + v->rect.w - 92, top + 56, 76, 22}, "OK");
    }
    for (int i = 0; v->layout && i < v->layout->control_count; ++i) {
        const ControlLayout& c = v->layout->controls[i];
        const SDL_Rect r{v->rect.x + dlu_x(c.x), top + dlu_y(c.y), dlu_x(c.w), dlu_y(c.h)};
        append_control(out, kind_name(c.kind), c.id, r,
                       c.kind == ControlKind::edit ? std::string(v->edit) : v->texts[static_cast<size_t>(i)]);
    }
    if (out.back() == ',') out.pop_back();
    out += "]},";
}

std::string state_json() {
    const WindowRules& rules = window_rules();
    const MenuState m = rules.menu();
    char head[200];
    std::snprintf(head, sizeof head,
                  "{\"keyboard\":%d,\"main_enabled\":%s,\"menu\":{\"title\":%d,\"open\":%s,\"item\":%d,\"cues\":%s},"
                  "\"windows\":[",
                  rules.keyboard(), rules.main_enabled() ? "true" : "false", m.title, m.open ? "true" : "false",
                  m.item, m.cues ? "true" : "false");
    std::string out = head;
    for (const DialogView* v : views)
        if (rules.shown(v->window)) append_view(out, v);
    if (out.back() == ',') out.pop_back();
    return out + "]}";
}

}  // namespace

void dialog_view_init(DialogView& v, const DialogLayout* layout, DialogProc proc) {
    v.layout = layout;
    v.proc = proc;
    v.caption = layout->caption;
    for (int i = 0; i < layout->control_count; ++i) v.texts.emplace_back(layout->controls[i].text);
    const PixelRect r = dialog_rect(*layout, menu_bar_height);
    v.rect = {r.x, r.y, r.w, r.h};
}

void dialog_view_init_box(DialogView& v, const std::string& message, const std::string& caption) {
    v.message = message;
    v.caption = caption;
    const PixelRect r = box_rect(ui_text_width(message), client_width, client_height);
    v.rect = {r.x, r.y, r.w, r.h};
}

void dialog_view_add(DialogView* v) {
    views.push_back(v);
    dialog_views_changed();
}

void dialog_view_remove(DialogView* v) {
    views.erase(std::remove(views.begin(), views.end(), v), views.end());
    pending.erase(std::remove_if(pending.begin(), pending.end(), [v](const Pending& p) { return p.window == v->window; }),
                  pending.end());
    dialog_views_changed();
}

DialogView* dialog_view_of(int window) {
    for (DialogView* v : views)
        if (v->window == window) return v;
    return nullptr;
}

DialogView* dialog_view_at(int x, int y) {
    const SDL_Point p{x, y};
    for (auto it = views.rbegin(); it != views.rend(); ++it)
        if (window_rules().shown((*it)->window) && SDL_PointInRect(&p, &(*it)->rect)) return *it;
    return nullptr;
}

void dialog_view_command(DialogView* v, int command) {
    if (!v || !window_rules().turning(v->window)) return;
    if (v->layout) v->proc(v, DialogEvent::command, command);
    else dialog_end(v, command);
    dialog_views_changed();
}

void dialog_views_changed() {
    dirty = true;
    ui_touch();
}

void dialog_views_draw() {
    for (DialogView* v : views)
        if (window_rules().shown(v->window)) draw_view(v);
    if (window_rules().keyboard() == main_window_id) ImGui::SetWindowFocus(nullptr);
}

void dialog_views_run_pending() {
    while (!pending.empty()) {
        const Pending p = pending.front();
        pending.erase(pending.begin());
        dialog_view_command(dialog_view_of(p.window), p.command);
    }
}

void dialog_views_publish() {
    if (!dirty) return;
    dirty = false;
    std::string now = state_json();
    if (now == published) return;
    published = std::move(now);
    sdl_window_set_property("_WAXDROP_DIALOGS", published);
}

void dialog_views_set_icon(SDL_Texture* icon) { icon_texture = icon; }
