#include "platform/web/web_program.h"

#include <string>

#include "platform/soft/soft_canvas.h"
#include "platform/web/web_canvas.h"
#include "platform/web/web_dialog_view.h"
#include "platform/web/web_files.h"
#include "platform/web/web_menu_bar.h"
#include "platform/web/web_window.h"

bool shell_open(const ShellHandlers& handlers, const char* bitmaps, const char* glyphs) {
    // The saved scores and the media are in the file system before anything
    // reads them.
    files_load_saved();
    files_load_media();
    if (!window_attach()) return false;
    dialog_views_attach();
    events_set_handlers(handlers);
    // The window's creation starts the game before any drawing surface
    // exists, as the creation message does on Windows.
    handlers.created();
    std::string error;
    // A missing image or glyph file leaves that part of the picture empty.
    soft_load_images(bitmaps, error);
    soft_open_font(glyphs, error);
    menu_bar_build();
    canvas_start_display();
    // Showing the window draws the first frame, before the loop turns.
    events_paint();
    return true;
}

void shell_close() { soft_close_font(); }
