#pragma once
// The subcommands of waxdrop-media. Each gets the arguments after its own
// name and returns the exit status: 0 the file would play (or load), 1 it
// would not, 2 a usage error.

int media_effect(int argc, char** argv);
int media_song(int argc, char** argv);
int media_scores(int argc, char** argv);
