#pragma once
// Sprites and the lists that hold them. Every moving or breakable object of
// the game is a Sprite; sprites of one kind live in one SpriteList, a doubly
// linked list that carries its own iteration cursor, so that a walk can delete
// the sprite it stands on and still know where it is. Window thread only.

#include <cstdint>

struct Sprite {
    float x;        // left edge, field pixels
    float y;        // top edge, field pixels, y grows downward
    int32_t width;
    int32_t height;
    float vx;       // pixels per second, positive to the right
    float vy;       // pixels per second, positive downward
    Sprite* prev;   // toward the head (newer)
    Sprite* next;   // toward the tail (older)
};

// Owns its sprites. Insertion is always at the head, so walks from head along
// next meet the newest sprite first.
struct SpriteList {
    Sprite* head = nullptr;
    Sprite* cursor = nullptr;
    Sprite* tail = nullptr;

    SpriteList() = default;
    SpriteList(const SpriteList&) = delete;
    SpriteList& operator=(const SpriteList&) = delete;
    ~SpriteList();
};

// Insert a new sprite at the head; cursor and head both end on it. Returns
// false, changing nothing, when no memory could be had for it.
bool push_front(SpriteList& list, float x, float y, int32_t width, int32_t height, float vx,
                float vy);
// Free every sprite; head, cursor and tail become null.
void clear(SpriteList& list);
// Delete the sprite under the cursor (which must not be null). Returns the
// sprite that followed it, now the cursor, or null when the walk is over.
Sprite* remove_current(SpriteList& list);
// Number of sprites, counted along next.
int count(const SpriteList& list);

// The one collision test: true when the rectangles overlap or merely touch.
bool overlaps(const Sprite& a, const Sprite& b);
