#include "platform/sdl/sdl_imgui.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>

#include "platform/sdl/sdl_window.h"
#include "platform/soft/soft_font.h"

namespace {

// The dialogs' 8-point font on a 96-dpi screen: a 13-pixel line.
constexpr float font_pixels = 13.0f;

bool ready = false;
int passes_wanted = 2;
Uint32 last_pass = 0;

// A light face colour, dark text, framed buttons: a desktop program's
// dialogs (their captions are drawn with them).
void style_like_a_desktop() {
    ImGui::StyleColorsLight();
    ImGuiStyle& s = ImGui::GetStyle();
    s.WindowRounding = 0;
    s.FrameRounding = 0;
    s.WindowBorderSize = 1;
    s.FrameBorderSize = 1;
    s.FramePadding = ImVec2(4, 3);
    ImVec4* c = s.Colors;
    c[ImGuiCol_WindowBg] = ImVec4(0.941f, 0.941f, 0.941f, 1.0f);
    c[ImGuiCol_Text] = ImVec4(0, 0, 0, 1);
    c[ImGuiCol_Border] = ImVec4(0.45f, 0.45f, 0.45f, 1);
    c[ImGuiCol_Button] = ImVec4(0.882f, 0.882f, 0.882f, 1);
    c[ImGuiCol_ButtonHovered] = ImVec4(0.898f, 0.945f, 0.984f, 1);
    c[ImGuiCol_ButtonActive] = ImVec4(0.800f, 0.894f, 0.969f, 1);
    c[ImGuiCol_FrameBg] = ImVec4(1, 1, 1, 1);
    c[ImGuiCol_TextSelectedBg] = ImVec4(0.0f, 0.471f, 0.843f, 0.35f);
}

}  // namespace

void ui_init() {
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    // The game hides and shows the pointer itself.
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    // A proportional face, as fontconfig picks it (ImGui's own font where
    // there is none).
    const std::string font = soft_font_file("DejaVu Sans:style=Book");
    if (font.empty() || !io.Fonts->AddFontFromFileTTF(font.c_str(), font_pixels)) io.Fonts->AddFontDefault();
    io.Fonts->Build();
    // The glyphs are in the atlas now; the font file's bytes are not needed.
    io.Fonts->ClearInputData();
    style_like_a_desktop();
    ImGui_ImplSDL2_InitForSDLRenderer(sdl_window());
    ImGui_ImplSDLRenderer_Init(sdl_renderer());
    ready = true;
    passes_wanted = 2;
}

void ui_shutdown() {
    if (!ready) return;
    ImGui_ImplSDLRenderer_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    ready = false;
}

bool ui_ready() { return ready; }

void ui_touch() { passes_wanted = std::max(passes_wanted, 2); }

bool ui_pass_wanted(Uint32 blink_ms) {
    return ready && (passes_wanted > 0 || (blink_ms > 0 && SDL_GetTicks() - last_pass >= blink_ms));
}

void ui_pass_begin() {
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
}

void ui_pass_end() {
    ImGui::Render();
    last_pass = SDL_GetTicks();
    if (passes_wanted > 0) --passes_wanted;
}

int ui_text_width(const char* begin, const char* end) {
    if (!ready) return 0;
    ImFont* font = ImGui::GetIO().Fonts->Fonts[0];
    return static_cast<int>(font->CalcTextSizeA(font->FontSize, 1e9f, 0, begin, end).x + 0.5f);
}
