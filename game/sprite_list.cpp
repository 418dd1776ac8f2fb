#include "game/sprite_list.h"

#include <new>

SpriteList::~SpriteList() { clear(*this); }

bool push_front(SpriteList& list, float x, float y, int32_t width, int32_t height, float vx,
                float vy) {
    Sprite* s = new (std::nothrow) Sprite{x, y, width, height, vx, vy, nullptr, list.head};
    if (!s) return false;
    if (list.head)
        list.head->prev = s;
    else
        list.tail = s;
    list.cursor = s;
    list.head = s;
    return true;
}

void clear(SpriteList& list) {
    for (Sprite* s = list.head; s;) {
        Sprite* next = s->next;
        delete s;
        s = next;
    }
    list.head = list.cursor = list.tail = nullptr;
}

Sprite* remove_current(SpriteList& list) {
    Sprite* c = list.cursor;
    Sprite* p = c->prev;
    if (p) p->next = c->next;
    list.cursor = c->next;
    const bool was_head = c == list.head;
    const bool was_tail = c == list.tail;
    delete c;
    if (was_head) list.head = list.cursor;
    if (was_tail) list.tail = p;
    if (!list.cursor) return nullptr;
    list.cursor->prev = p;
    return list.cursor;
}

int count(const SpriteList& list) {
    int n = 0;
    for (const Sprite* s = list.head; s; s = s->next) ++n;
    return n;
}

bool overlaps(const Sprite& a, const Sprite& b) {
    // Sizes are converted and added to the float positions, as in every other
    // place the game compares edges.
    return b.x <= a.x + static_cast<float>(a.width) && b.x + static_cast<float>(b.width) >= a.x &&
           b.y <= a.y + static_cast<float>(a.height) && b.y + static_cast<float>(b.height) >= a.y;
}
