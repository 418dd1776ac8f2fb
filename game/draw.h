#pragma once
// What a frame draws, in the order the frame step draws it. Window thread.

#include "game/sprite_list.h"
#include "platform/canvas.h"

// Room for the longest score line (four 11-character numbers and 57 fixed
// characters) and its zero.
constexpr int score_line_capacity = 128;

// The sprite's float position truncated toward zero, as the blit takes it.
// Positions far outside the field are held at a harmless distance first.
int sprite_pixel(float position);
// OR the sprite's image onto the back buffer at its truncated position.
void draw_sprite(const Sprite& sprite, SpriteImage image);
// Format the score line from the counters as they stand now.
int format_score_line(char16_t* out);
void draw_score_line();
// The image an attacking or resting bee shows next; flips wing_frame when
// the bees attack.
SpriteImage next_bee_image();
// Draw the whole world as it stands, without moving anything: a paused frame's
// picture, used by tools that only want to look.
void draw_world();
