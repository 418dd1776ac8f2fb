// Where the score file lives on Windows and in the tests: the media folder
// beside the executable, which already exists wherever the game was unpacked.

#include "platform/files.h"

bool score_path(const char16_t* name, char16_t* out, bool /*make_folder*/) { return media_path(name, out); }
