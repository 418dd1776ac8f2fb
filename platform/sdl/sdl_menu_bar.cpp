#include "platform/sdl/sdl_menu_bar.h"

#include <imgui.h>

#include <algorithm>
#include <string>

#include "platform/sdl/sdl_imgui.h"
#include "platform/sdl/sdl_window.h"
#include "platform/shell/dialog_text.h"
#include "platform/shell/resource_tables.h"

namespace {

constexpr int item_height = 20;
constexpr int pad = 8;
constexpr ImU32 face = IM_COL32(240, 240, 240, 255);
constexpr ImU32 ink = IM_COL32(0, 0, 0, 255);
constexpr ImU32 greyed = IM_COL32(160, 160, 160, 255);
constexpr ImU32 highlight = IM_COL32(0, 120, 215, 255);
constexpr ImU32 highlight_ink = IM_COL32(255, 255, 255, 255);

const MenuLayout& menu_at(int m) {
    int count = 0;
    return menu_bar(count)[m];
}

int menu_count() {
    int count = 0;
    menu_bar(count);
    return count;
}

int label_width(const char* label) { return ui_text_width(shown_text(label, false).text); }

SDL_Rect title_rect(int m) {
    int x = 0;
    for (int i = 0; i < m; ++i) x += label_width(menu_at(i).label) + 2 * pad;
    return {x, 0, label_width(menu_at(m).label) + 2 * pad, menu_bar_height};
}

SDL_Rect dropdown_rect(int m) {
    int w = 0;
    for (int i = 0; i < menu_at(m).item_count; ++i) w = std::max(w, label_width(menu_at(m).items[i].label));
    const SDL_Rect t = title_rect(m);
    return {t.x, menu_bar_height, w + 6 * pad, menu_at(m).item_count * item_height + 4};
}

bool inside(const SDL_Rect& r, int x, int y) {
    const SDL_Point p{x, y};
    return SDL_PointInRect(&p, &r);
}

ImVec2 vec(int x, int y) { return ImVec2(static_cast<float>(x), static_cast<float>(y)); }

// A label with its mnemonic underlined when the cues show.
void draw_label(ImDrawList* dl, int x, int y, const char* label, ImU32 colour, bool cues) {
    const ShownText shown = shown_text(label, false);
    dl->AddText(vec(x, y), colour, shown.text.c_str());
    if (!cues || shown.underline == std::string::npos) return;
    const char* s = shown.text.c_str();
    const int x0 = x + ui_text_width(s, s + shown.underline);
    const int x1 = x + ui_text_width(s, s + shown.underline + 1);
    const float under = static_cast<float>(y) + ImGui::GetFontSize();
    dl->AddLine(ImVec2(static_cast<float>(x0), under), ImVec2(static_cast<float>(x1), under), colour);
}

void draw_dropdown(const MenuState& state, int text_y) {
    ImDrawList* dl = ImGui::GetForegroundDrawList();
    const SDL_Rect d = dropdown_rect(state.title);
    dl->AddRectFilled(vec(d.x, d.y), vec(d.x + d.w, d.y + d.h), face);
    dl->AddRect(vec(d.x, d.y), vec(d.x + d.w, d.y + d.h), IM_COL32(150, 150, 150, 255));
    const MenuLayout& menu = menu_at(state.title);
    for (int i = 0; i < menu.item_count; ++i) {
        const int y = d.y + 2 + i * item_height;
        const bool hot = i == state.item;
        if (hot) dl->AddRectFilled(vec(d.x + 2, y), vec(d.x + d.w - 2, y + item_height), highlight);
        draw_label(dl, d.x + 3 * pad, y + text_y, menu.items[i].label, hot ? highlight_ink : ink, state.cues);
    }
}

}  // namespace

bool menu_bar_place(int x, int y, Place& place) {
    const MenuState state = window_rules().menu();
    if (state.open) {
        const SDL_Rect d = dropdown_rect(state.title);
        if (inside(d, x, y)) {
            const int item = (y - d.y - 2) / item_height;
            place = item >= 0 && item < menu_at(state.title).item_count ? Place{Place::menu_item, item}
                                                                        : Place{Place::bar};
            return true;
        }
    }
    if (y < 0 || y >= menu_bar_height) return false;
    place = {Place::bar};
    for (int m = 0; m < menu_count(); ++m)
        if (inside(title_rect(m), x, y)) place = {Place::menu_title, m};
    return true;
}

void menu_bar_draw() {
    const WindowRules& rules = window_rules();
    const MenuState state = rules.menu();
    ImDrawList* dl = ImGui::GetBackgroundDrawList();
    dl->AddRectFilled(vec(0, 0), vec(client_width, menu_bar_height), face);
    const int text_y = static_cast<int>((static_cast<float>(menu_bar_height) - ImGui::GetFontSize()) / 2);
    for (int m = 0; m < menu_count(); ++m) {
        const SDL_Rect r = title_rect(m);
        const bool selected = m == state.title;
        if (selected) dl->AddRectFilled(vec(r.x, r.y), vec(r.x + r.w, r.y + r.h), highlight);
        const ImU32 colour = !rules.main_enabled() ? greyed : selected ? highlight_ink : ink;
        draw_label(dl, r.x + pad, text_y, menu_at(m).label, colour, state.cues);
    }
    if (state.open) draw_dropdown(state, text_y);
}
