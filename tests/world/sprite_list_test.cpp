#include <gtest/gtest.h>

#include <vector>

#include "game/sprite_list.h"

namespace {

// The list's x positions from its head, read back from its tail too: a broken
// prev link reads as nonsense.
std::vector<float> xs(const SpriteList& l) {
    std::vector<float> forward, backward;
    for (const Sprite* s = l.head; s; s = s->next) forward.push_back(s->x);
    for (const Sprite* s = l.tail; s; s = s->prev) backward.insert(backward.begin(), s->x);
    EXPECT_EQ(forward, backward);
    return forward;
}

void fill(SpriteList& l, int n) {
    for (int i = 0; i < n; ++i) push_front(l, static_cast<float>(i), 0, 1, 1, 0, 0);
}

}  // namespace

// Every removal position in a list of three, and the only sprite of a list
// of one: what the walk is told and how the list's links stand afterwards.
// (Pushing and clearing, every frame and level of the game suites does.)
TEST(SpriteList, RemoveCurrentAtEveryPosition) {
    // next_x: the sprite the walk goes on with, -1 for none.
    const struct { int size, position; float next_x; std::vector<float> left; } cases[] = {
        {1, 0, -1, {}},      // the only sprite
        {3, 0, 1, {1, 0}},   // head of a longer list
        {3, 1, 0, {2, 0}},   // middle
        {3, 2, -1, {2, 1}},  // tail
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " position " << c.position);
        SpriteList l;
        fill(l, c.size);
        l.cursor = l.head;
        for (int i = 0; i < c.position; ++i) l.cursor = l.cursor->next;
        Sprite* removed_prev = l.cursor->prev;
        Sprite* next = remove_current(l);
        EXPECT_EQ(next ? next->x : -1, c.next_x);
        EXPECT_EQ(l.cursor, next);
        if (next) { EXPECT_EQ(next->prev, removed_prev); }
        ASSERT_EQ(l.tail == nullptr, c.left.empty());  // an emptied list keeps no tail to read back from
        EXPECT_EQ(xs(l), c.left);
        if (l.head && l.tail) {
            EXPECT_EQ(l.head->prev, nullptr);
            EXPECT_EQ(l.tail->next, nullptr);
        }
    }
}

TEST(Overlaps, EdgesAndCornersThatTouchCount) {
    auto sprite = [](float x, float y, int w, int h) { return Sprite{x, y, w, h, 0, 0, nullptr, nullptr}; };
    const Sprite ball = sprite(100, 100, 24, 24);
    const struct { Sprite other; bool expected; } cases[] = {
        {sprite(124, 84, 32, 16), true},     // right edge meets left, bottom meets top
        {sprite(124.01f, 84, 32, 16), false},
        {sprite(124, 83.99f, 32, 16), false},
        {sprite(68, 124, 32, 16), true},     // bottom-left corner
        {sprite(67.99f, 124, 32, 16), false},
        {sprite(110, 110, 2, 2), true},      // inside
        {sprite(90, 90, 50, 50), true},      // around
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.other.x << "," << c.other.y);
        EXPECT_EQ(overlaps(ball, c.other), c.expected);
        EXPECT_EQ(overlaps(c.other, ball), c.expected);
    }
}
