// Files in the browser. The media are files the page serves beside the game,
// fetched at start-up into /waxdrop/media beside a virtual executable
// /waxdrop/waxdrop, so the media path is built as everywhere else, and a
// file the server does not have is missing as it would be from a folder. The score file lives in /scores,
// a folder kept in the browser's storage (IndexedDB): it is read in before
// the game starts, and after each save has put the new file in place of the
// old one (a temporary file renamed, as on the other systems) the folder is
// written back in one IndexedDB transaction, so a tab closed half-way keeps
// either the old table or the new one, never a part of one.

#include "platform/web/web_files.h"

#include <emscripten.h>

#include "platform/files.h"
#include "platform/os/os_files.h"

namespace {

constexpr char16_t executable[] = u"/waxdrop/waxdrop";
constexpr char16_t score_folder[] = u"/scores/";

bool in_score_folder(const char16_t* path) {
    for (int i = 0; score_folder[i]; ++i)
        if (path[i] != score_folder[i]) return false;
    return true;
}

}  // namespace

EM_ASYNC_JS(void, mount_saved_scores, (), {
    FS.mkdirTree('/scores');
    FS.mount(IDBFS, {}, '/scores');
    await new Promise(done => FS.syncfs(true, error => {
        if (error) console.warn('WaxDrop: no saved scores could be read', error);
        done();
    }));
});

EM_ASYNC_JS(void, fetch_media, (const char* folder), {
    const into = UTF8ToString(folder);
    FS.mkdirTree(into);
    const get = async name => {
        try {
            const answer = await fetch('media/' + name);
            return answer.ok ? new Uint8Array(await answer.arrayBuffer()) : null;
        } catch (e) {
            return null;
        }
    };
    const list = await get('files.txt');
    if (!list) return;
    // Names are letters, digits, dots, dashes and underscores; anything else parts them.
    const names = new TextDecoder().decode(list).replace(/[^A-Za-z0-9._-]+/g, ' ').trim().split(' ').filter(Boolean);
    const files = await Promise.all(names.map(get));
    names.forEach((name, i) => {
        if (files[i]) FS.writeFile(into + '/' + name, files[i]);
    });
});

// One write-back at a time; a save made during one is written by another
// right after it.
EM_JS(void, write_back_scores, (), {
    const s = Module.waxdropScores || (Module.waxdropScores = {busy: false, again: false});
    if (s.busy) {
        s.again = true;
        return;
    }
    s.busy = true;
    FS.syncfs(false, error => {
        if (error) console.warn('WaxDrop: the scores could not be kept', error);
        s.busy = false;
        if (s.again) {
            s.again = false;
            _web_write_back_scores_again();
        }
    });
});

extern "C" EMSCRIPTEN_KEEPALIVE void web_write_back_scores_again() { write_back_scores(); }

void files_load_saved() { mount_saved_scores(); }

void files_load_media() { fetch_media("/waxdrop/media"); }

void module_file_name(char16_t* out, int capacity) {
    int i = 0;
    for (; i < capacity - 1 && executable[i]; ++i) out[i] = executable[i];
    out[i] = 0;
}

bool score_path(const char16_t* name, char16_t* out, bool) {
    // The folder is mounted before the game starts, so it is always there.
    int n = 0;
    for (const char16_t* p = score_folder; *p; ++p) out[n++] = *p;
    for (const char16_t* p = name; *p; ++p) {
        if (n == media_path_capacity - 1) {
            out[0] = 0;
            return false;
        }
        out[n++] = *p;
    }
    out[n] = 0;
    return true;
}

std::FILE* file_open(const char16_t* path, const char* mode) { return os_file_open(path, mode); }
bool file_sync(std::FILE* f) { return os_file_sync(f); }
bool file_remove(const char16_t* path) { return os_file_remove(path); }

bool file_replace(const char16_t* from, const char16_t* to) {
    if (!os_file_replace(from, to)) return false;
    if (in_score_folder(to)) write_back_scores();
    return true;
}
