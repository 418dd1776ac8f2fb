#include "platform/sdl/sdl_layer.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include "platform/sdl/sdl_dialog_view.h"
#include "platform/sdl/sdl_imgui.h"
#include "platform/sdl/sdl_menu_bar.h"
#include "platform/sdl/sdl_window.h"

namespace {

// An open dialog's caret blinks: a few passes a second are enough.
constexpr Uint32 blink_ms = 100;

SDL_Texture* bar_texture = nullptr;  // the menu bar alone, while nothing else is up
bool bar_valid = false;

void pass() {
    ui_pass_begin();
    menu_bar_draw();
    dialog_views_draw();
    ui_pass_end();
}

bool dialog_shown() { return !window_rules().shown_windows().empty(); }

// With no menu or dialog up, the layer is only the menu bar: drawn into a
// texture when it changes and copied from there, one quad a frame instead of
// the pass's geometry.
bool render_bar_only() {
    SDL_Renderer* renderer = sdl_renderer();
    if (!bar_texture) {
        bar_texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, client_width,
                                        menu_bar_height);
        if (!bar_texture) return false;
        // The bar is opaque: a plain copy, no blending per pixel.
        SDL_SetTextureBlendMode(bar_texture, SDL_BLENDMODE_NONE);
    }
    if (ui_pass_wanted(0) || !bar_valid) {
        pass();
        SDL_SetRenderTarget(renderer, bar_texture);
        ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
        SDL_SetRenderTarget(renderer, nullptr);
        bar_valid = true;
    }
    const SDL_Rect bar{0, 0, client_width, menu_bar_height};
    SDL_RenderCopy(renderer, bar_texture, nullptr, &bar);
    return true;
}

}  // namespace

void layer_render() {
    if (!ui_ready()) return;
    if (window_rules().menu().title < 0 && !dialog_shown() && render_bar_only()) return;
    bar_valid = false;
    if (ui_pass_wanted(dialog_shown() ? blink_ms : 0) || !ImGui::GetDrawData()) pass();
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
}

bool layer_wants_repaint() { return ui_pass_wanted(dialog_shown() ? blink_ms : 0); }

void layer_feed(const SDL_Event& event) {
    if (!ui_ready()) return;
    ImGui_ImplSDL2_ProcessEvent(&event);
    pass();
    ui_touch();
}

void layer_shutdown() {
    if (bar_texture) SDL_DestroyTexture(bar_texture);
    bar_texture = nullptr;
    bar_valid = false;
    ui_shutdown();
}
