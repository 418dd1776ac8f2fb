// The menu bar, its two menus and the dialogs, drawn over the field with
// Dear ImGui. An ImGui pass costs as much as a game frame, so passes run only
// when something in this layer changed (input reached it, a dialog's text was
// set, a dialog is open and its caret blinks); every other frame draws the
// draw lists of the last pass again.

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sdl/sdl_shell.h"
#include "platform/sdl/sdl_ui.h"

namespace {

struct MenuItem {
    const char* label;  // '&' before the mnemonic letter
    int command;
};
struct Menu {
    const char* label;
    MenuItem items[2];
    int count;
};
// Menu 109: File (High Scores ..., Exit) and Help (About ...).
constexpr Menu menus[] = {
    {"&File", {{"&High Scores ...", 32771}, {"E&xit", 105}}, 2},
    {"&Help", {{"&About ...", 104}, {nullptr, 0}}, 1},
};
constexpr int menu_count = 2;
constexpr int menu_item_height = 20;
constexpr int menu_pad = 8;

SDL_Renderer* renderer = nullptr;
bool ready = false;
int passes_wanted = 2;
Uint32 last_pass = 0;
SDL_Texture* icon_texture = nullptr;
SDL_Texture* bar_texture = nullptr;  // the menu bar alone, while nothing else is open
bool bar_valid = false;

int open_menu = -1;  // which drop-down is open, -1 none
int hot_item = -1;   // highlighted item of the open menu
bool pointer_in_layer = false;

std::vector<UiDialog*> stack;

struct Pending {
    UiDialog* dialog;  // null for a menu command
    int command;
};
std::vector<Pending> pending;

// Pixel positions come as ints and floats alike.
template <class X, class Y>
ImVec2 vec(X x, Y y) {
    return ImVec2(static_cast<float>(x), static_cast<float>(y));
}

char mnemonic_of(const char* label) {
    const char* a = std::strchr(label, '&');
    return a && a[1] ? static_cast<char>(a[1] | 0x20) : 0;
}

std::string plain(const char* label) {
    std::string s;
    for (const char* p = label; *p; ++p)
        if (*p != '&') s += *p;
    return s;
}

// Widths come from the font itself, so they can be asked for between passes.
float text_width(const std::string& s) {
    ImFont* font = ImGui::GetIO().Fonts->Fonts[0];
    return font->CalcTextSizeA(font->FontSize, 1e9f, 0, s.c_str()).x;
}

SDL_Rect title_rect(int m) {
    int x = 0;
    for (int i = 0; i < m; ++i) x += static_cast<int>(text_width(plain(menus[i].label))) + 2 * menu_pad;
    return {x, 0, static_cast<int>(text_width(plain(menus[m].label))) + 2 * menu_pad, menu_bar_height};
}

SDL_Rect dropdown_rect(int m) {
    int w = 0;
    for (int i = 0; i < menus[m].count; ++i) w = std::max(w, static_cast<int>(text_width(plain(menus[m].items[i].label))));
    const SDL_Rect t = title_rect(m);
    return {t.x, menu_bar_height, w + 6 * menu_pad, menus[m].count * menu_item_height + 4};
}

bool inside(const SDL_Rect& r, int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; }

// The label with its mnemonic letter underlined, as the system menu shows it.
void draw_label(ImDrawList* dl, ImVec2 at, const char* label, ImU32 colour) {
    const std::string text = plain(label);
    dl->AddText(at, colour, text.c_str());
    const char* a = std::strchr(label, '&');
    if (!a || !a[1]) return;
    const size_t index = static_cast<size_t>(a - label);
    const float x0 = at.x + text_width(text.substr(0, index));
    const float x1 = at.x + text_width(text.substr(0, index + 1));
    const float y = at.y + ImGui::GetIO().Fonts->Fonts[0]->FontSize;
    dl->AddLine(vec(x0, y), vec(x1, y), colour);
}

void draw_menu_bar() {
    ImDrawList* dl = ImGui::GetBackgroundDrawList();
    dl->AddRectFilled(vec(0, 0), vec(client_width, menu_bar_height), IM_COL32(36, 36, 36, 255));
    const float ty = (menu_bar_height - ImGui::GetIO().Fonts->Fonts[0]->FontSize) / 2;
    int mx = -1, my = -1;
    SDL_GetMouseState(&mx, &my);
    for (int m = 0; m < menu_count; ++m) {
        const SDL_Rect r = title_rect(m);
        if (m == open_menu)
            dl->AddRectFilled(vec(r.x, r.y), vec(r.x + r.w, r.y + r.h), IM_COL32(66, 150, 250, 255));
        else if (!ui_modal_open() && inside(r, mx, my))
            dl->AddRectFilled(vec(r.x, r.y), vec(r.x + r.w, r.y + r.h), IM_COL32(60, 60, 60, 255));
        draw_label(dl, vec(r.x + menu_pad, ty), menus[m].label,
                   ui_modal_open() ? IM_COL32(128, 128, 128, 255) : IM_COL32(255, 255, 255, 255));
    }
    if (open_menu < 0) return;
    ImDrawList* fg = ImGui::GetForegroundDrawList();
    const SDL_Rect d = dropdown_rect(open_menu);
    fg->AddRectFilled(vec(d.x, d.y), vec(d.x + d.w, d.y + d.h), IM_COL32(48, 48, 48, 255));
    fg->AddRect(vec(d.x, d.y), vec(d.x + d.w, d.y + d.h), IM_COL32(110, 110, 128, 255));
    for (int i = 0; i < menus[open_menu].count; ++i) {
        const float y = static_cast<float>(d.y + 2 + i * menu_item_height);
        if (i == hot_item)
            fg->AddRectFilled(vec(d.x + 2, y), vec(d.x + d.w - 2, y + menu_item_height),
                              IM_COL32(66, 150, 250, 255));
        draw_label(fg, vec(d.x + 3 * menu_pad, y + ty), menus[open_menu].items[i].label,
                   IM_COL32(255, 255, 255, 255));
    }
}

// The system's warning sign: a yellow triangle with an exclamation mark.
void draw_warning_sign(ImDrawList* dl, ImVec2 at) {
    dl->AddTriangleFilled(vec(at.x + 16, at.y), vec(at.x + 32, at.y + 30), vec(at.x, at.y + 30),
                          IM_COL32(250, 200, 20, 255));
    dl->AddRectFilled(vec(at.x + 14.5f, at.y + 8), vec(at.x + 17.5f, at.y + 21), IM_COL32(0, 0, 0, 255));
    dl->AddRectFilled(vec(at.x + 14.5f, at.y + 23), vec(at.x + 17.5f, at.y + 27), IM_COL32(0, 0, 0, 255));
}

int limit_name(ImGuiInputTextCallbackData* data) {
    // Count UTF-16 units: four-byte sequences are two units.
    int units = 0;
    for (int i = 0; i < data->BufTextLen; ++i) {
        const unsigned char c = static_cast<unsigned char>(data->Buf[i]);
        if ((c & 0xC0) == 0x80) continue;
        const int add = c >= 0xF0 ? 2 : 1;
        if (units + add > name_edit_limit) {
            data->DeleteChars(i, data->BufTextLen - i);
            break;
        }
        units += add;
    }
    return 0;
}

void draw_dialog(UiDialog* d, bool top) {
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                                   ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                                   ImGuiWindowFlags_NoScrollbar;
    ImGui::SetNextWindowPos(vec(static_cast<float>(d->rect.x), static_cast<float>(d->rect.y)));
    ImGui::SetNextWindowSize(vec(static_cast<float>(d->rect.w), static_cast<float>(d->rect.h)));
    if (d->first_pass) ImGui::SetNextWindowFocus();
    const std::string caption = d->layout ? d->layout->caption : d->caption;
    char name[160];
    std::snprintf(name, sizeof name, "%s##%p", caption.c_str(), static_cast<void*>(d));
    bool open = true;
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, vec(0, 0));
    ImGui::Begin(name, &open, flags);
    ImGui::PopStyleVar();
    const ImVec2 origin(static_cast<float>(d->rect.x), static_cast<float>(d->rect.y + dialog_title_height));
    ImDrawList* dl = ImGui::GetWindowDrawList();
    if (!d->layout) {
        draw_warning_sign(dl, vec(origin.x + 16, origin.y + 14));
        ImGui::SetCursorScreenPos(vec(origin.x + 64, origin.y + 22));
        ImGui::TextUnformatted(d->message.c_str());
        ImGui::SetCursorScreenPos(vec(origin.x + static_cast<float>(d->rect.w - 92), origin.y + 56));
        if (ImGui::Button("OK", vec(76, 22))) pending.push_back({d, command_ok});
    } else {
        for (int i = 0; i < d->layout->control_count; ++i) {
            const ControlLayout& c = d->layout->controls[i];
            const ImVec2 at(origin.x + static_cast<float>(dlu_x(c.x)), origin.y + static_cast<float>(dlu_y(c.y)));
            const ImVec2 size(static_cast<float>(dlu_x(c.w)), static_cast<float>(dlu_y(c.h)));
            ImGui::SetCursorScreenPos(at);
            ImGui::PushID(i);
            switch (c.kind) {
            case ControlKind::icon:
                if (icon_texture) dl->AddImage(icon_texture, at, vec(at.x + 32, at.y + 32));
                break;
            case ControlKind::static_text:
                ImGui::PushClipRect(at, vec(at.x + size.x, at.y + size.y), true);
                ImGui::PushTextWrapPos(at.x + size.x);
                ImGui::TextUnformatted(d->texts[i].c_str());
                ImGui::PopTextWrapPos();
                ImGui::PopClipRect();
                break;
            case ControlKind::default_button:
            case ControlKind::button:
                if (c.kind == ControlKind::default_button)
                    dl->AddRect(vec(at.x - 1, at.y - 1), vec(at.x + size.x + 1, at.y + size.y + 1),
                                IM_COL32(200, 200, 200, 255));
                if (ImGui::Button(d->texts[i].c_str(), size)) pending.push_back({d, c.id});
                break;
            case ControlKind::edit:
                ImGui::SetNextItemWidth(size.x);
                if (d->first_pass && top) ImGui::SetKeyboardFocusHere();
                ImGui::InputText("##edit", d->edit, sizeof d->edit,
                                 ImGuiInputTextFlags_AutoSelectAll | ImGuiInputTextFlags_CallbackEdit, limit_name);
                break;
            }
            ImGui::PopID();
        }
    }
    ImGui::End();
    d->first_pass = false;
    // The close box is Cancel (a message box's only button is OK).
    if (!open) pending.push_back({d, d->layout ? command_cancel : command_ok});
}

void pass() {
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    draw_menu_bar();
    for (size_t i = 0; i < stack.size(); ++i) draw_dialog(stack[i], i + 1 == stack.size());
    ImGui::Render();
    last_pass = SDL_GetTicks();
    if (passes_wanted > 0) --passes_wanted;
}

UiDialog* top_dialog() { return stack.empty() ? nullptr : stack.back(); }

bool over_dialog(int x, int y) {
    for (UiDialog* d : stack)
        if (inside(d->rect, x, y)) return true;
    return false;
}

void close_menu() {
    open_menu = -1;
    hot_item = -1;
}

void choose(int m, int item, const ShellHandlers& handlers) {
    const int command = menus[m].items[item].command;
    close_menu();
    ui_touch();
    handlers.command(command);
}

// Keys while a drop-down is open: the menu has the keyboard, as the
// system's menu loop does.
void menu_key(const SDL_Keysym& key, const ShellHandlers& handlers) {
    const Menu& menu = menus[open_menu];
    switch (key.sym) {
    case SDLK_ESCAPE: close_menu(); return;
    case SDLK_UP: hot_item = (hot_item + menu.count - 1) % menu.count; return;
    case SDLK_DOWN: hot_item = (hot_item + 1) % menu.count; return;
    case SDLK_LEFT: open_menu = (open_menu + menu_count - 1) % menu_count; hot_item = 0; return;
    case SDLK_RIGHT: open_menu = (open_menu + 1) % menu_count; hot_item = 0; return;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (hot_item >= 0) choose(open_menu, hot_item, handlers);
        return;
    default:
        for (int i = 0; i < menu.count; ++i)
            if (key.sym < 128 && mnemonic_of(menu.items[i].label) == static_cast<char>(key.sym | 0x20)) {
                choose(open_menu, i, handlers);
                return;
            }
    }
}

}  // namespace

int dlu_x(int units) { return (units * 7 + 2) / 4; }
int dlu_y(int units) { return (units * 13 + 4) / 8; }

void ui_init(SDL_Window* window, SDL_Renderer* r) {
    renderer = r;
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    // The game hides and shows the pointer itself.
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    io.Fonts->AddFontDefault();
    io.Fonts->Build();
    ImGui::StyleColorsDark();
    ImGui::GetStyle().WindowRounding = 0;
    ImGui::GetStyle().Colors[ImGuiCol_WindowBg].w = 1.0f;  // dialogs are opaque
    ImGui_ImplSDL2_InitForSDLRenderer(window);
    ImGui_ImplSDLRenderer_Init(renderer);
    ready = true;
    passes_wanted = 2;
}

void ui_shutdown() {
    if (!ready) return;
    if (bar_texture) SDL_DestroyTexture(bar_texture);
    bar_texture = nullptr;
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    ready = false;
}

void ui_set_icon_texture(SDL_Texture* texture) { icon_texture = texture; }

void ui_touch() { passes_wanted = std::max(passes_wanted, 2); }

void ui_render() {
    if (!ready) return;
    // With no menu or dialog open, the layer is only the menu bar: it is
    // drawn into a texture when it changes and copied from there, one quad
    // a frame instead of the pass's geometry.
    if (open_menu < 0 && stack.empty()) {
        if (!bar_texture) {
            bar_texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                            client_width, menu_bar_height);
            // The bar is opaque: a plain copy, no blending per pixel.
            if (bar_texture) SDL_SetTextureBlendMode(bar_texture, SDL_BLENDMODE_NONE);
        }
        if (bar_texture) {
            if (passes_wanted > 0 || !bar_valid) {
                pass();
                SDL_SetRenderTarget(renderer, bar_texture);
                ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
                SDL_SetRenderTarget(renderer, nullptr);
                bar_valid = true;
            }
            const SDL_Rect bar{0, 0, client_width, menu_bar_height};
            SDL_RenderCopy(renderer, bar_texture, nullptr, &bar);
            return;
        }
    }
    bar_valid = false;
    // An open dialog's caret blinks: a few passes a second are enough.
    const bool blink = !stack.empty() && SDL_GetTicks() - last_pass >= 100;
    if (passes_wanted > 0 || blink || !ImGui::GetDrawData()) pass();
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
}

bool ui_modal_open() {
    for (UiDialog* d : stack)
        if (d->layout) return true;
    return false;
}

void ui_push_dialog(UiDialog* d) {
    close_menu();
    if (d->layout) {
        d->rect = {dlu_x(d->layout->x), menu_bar_height + dlu_y(d->layout->y), dlu_x(d->layout->w),
                   dlu_y(d->layout->h) + dialog_title_height};
    } else {
        const int w = std::max(220, static_cast<int>(text_width(d->message)) + 100);
        const int h = 92 + dialog_title_height;
        d->rect = {(client_width - w) / 2, (client_height - h) / 2, w, h};
    }
    stack.push_back(d);
    ui_touch();
}

void ui_pop_dialog(UiDialog* d) {
    stack.erase(std::remove(stack.begin(), stack.end(), d), stack.end());
    pending.erase(std::remove_if(pending.begin(), pending.end(), [d](const Pending& p) { return p.dialog == d; }),
                  pending.end());
    ui_touch();
}

void ui_run_pending(const ShellHandlers& handlers) {
    while (!pending.empty()) {
        const Pending p = pending.front();
        pending.erase(pending.begin());
        if (!p.dialog) {
            handlers.command(p.command);
        } else if (std::find(stack.begin(), stack.end(), p.dialog) != stack.end()) {
            ui_dialog_command(p.dialog, p.command);
        }
        ui_touch();
    }
}

bool ui_event(const SDL_Event& e, const ShellHandlers& handlers) {
    if (!ready) return false;
    UiDialog* top = top_dialog();
    switch (e.type) {
    case SDL_MOUSEMOTION: {
        const bool in_layer = e.motion.y < menu_bar_height || open_menu >= 0 || over_dialog(e.motion.x, e.motion.y);
        if (in_layer || pointer_in_layer) {
            ImGui_ImplSDL2_ProcessEvent(&e);
            ui_touch();
        }
        pointer_in_layer = in_layer;
        if (open_menu >= 0) {
            for (int m = 0; m < menu_count; ++m)
                if (inside(title_rect(m), e.motion.x, e.motion.y) && m != open_menu) {
                    open_menu = m;
                    hot_item = -1;
                }
            const SDL_Rect d = dropdown_rect(open_menu);
            if (inside(d, e.motion.x, e.motion.y)) hot_item = (e.motion.y - d.y - 2) / menu_item_height;
            if (hot_item >= menus[open_menu].count) hot_item = -1;
            return true;
        }
        // The main window is disabled under a modal dialog: no moves reach it.
        return ui_modal_open() || e.motion.y < menu_bar_height;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const int x = e.button.x, y = e.button.y;
        if (open_menu >= 0) {
            if (e.type == SDL_MOUSEBUTTONDOWN) {
                ui_touch();
                for (int m = 0; m < menu_count; ++m)
                    if (inside(title_rect(m), x, y)) {
                        if (m == open_menu) close_menu();
                        else open_menu = m, hot_item = -1;
                        return true;
                    }
                const SDL_Rect d = dropdown_rect(open_menu);
                if (inside(d, x, y)) {
                    const int item = (y - d.y - 2) / menu_item_height;
                    if (item >= 0 && item < menus[open_menu].count) {
                        const int m = open_menu;
                        close_menu();
                        pending.push_back({nullptr, menus[m].items[item].command});
                    }
                    return true;
                }
                close_menu();  // a click elsewhere only closes the menu
            }
            return true;
        }
        if (over_dialog(x, y)) {
            ImGui_ImplSDL2_ProcessEvent(&e);
            pass();  // ImGui reads buttons per pass: see each press and release
            return true;
        }
        if (y < menu_bar_height) {
            if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT && !ui_modal_open())
                for (int m = 0; m < menu_count; ++m)
                    if (inside(title_rect(m), x, y)) {
                        open_menu = m;
                        hot_item = -1;
                        ui_touch();
                    }
            return true;
        }
        // Under a modal dialog the field takes no clicks; a message box
        // owned by no window leaves it open to them.
        return ui_modal_open();
    }
    case SDL_TEXTINPUT:
        if (top && top->layout) {
            ImGui_ImplSDL2_ProcessEvent(&e);
            pass();
        }
        return top != nullptr || open_menu >= 0;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const SDL_Keysym& key = e.key.keysym;
        const bool down = e.type == SDL_KEYDOWN;
        const bool alt = (key.mod & KMOD_ALT) != 0;
        if (down && alt && key.sym == SDLK_F4) return false;  // the shell closes the window
        if (open_menu >= 0) {
            if (down) {
                menu_key(key, handlers);
                ui_touch();
            }
            return true;
        }
        if (top) {
            if (down && (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER)) {
                ui_dialog_command(top, command_ok);  // the default button
            } else if (down && key.sym == SDLK_ESCAPE) {
                ui_dialog_command(top, top->layout ? command_cancel : command_ok);
            } else if (down && !top->layout && key.sym == SDLK_SPACE) {
                ui_dialog_command(top, command_ok);
            } else if (top->layout) {
                ImGui_ImplSDL2_ProcessEvent(&e);
                pass();
            }
            ui_touch();
            return true;
        }
        // Alt with a menu's letter opens it, as the menu bar's mnemonics do.
        if (down && alt && !ui_modal_open())
            for (int m = 0; m < menu_count; ++m)
                if (key.sym < 128 && mnemonic_of(menus[m].label) == static_cast<char>(key.sym | 0x20)) {
                    open_menu = m;
                    hot_item = 0;
                    ui_touch();
                    return true;
                }
        return false;
    }
    default:
        return false;
    }
}
