#pragma once
// The browser game's files. Page thread only; each call returns once its
// files are in the page's file system.

// Bring the saved score folder in from the browser's storage (or find it empty).
void files_load_saved();
// Fetch the media the page serves beside the game (media/, as its list
// media/files.txt names them) into the media folder; a file the server does
// not give is missing, as a file missing from the folder is elsewhere.
void files_load_media();
