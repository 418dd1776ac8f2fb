#include <gtest/gtest.h>

#include <vector>

#include "game/sprite_list.h"

namespace {

// The list read both ways, as x positions, so that a broken prev link shows.
std::vector<float> forward(const SpriteList& l) {
    std::vector<float> xs;
    for (const Sprite* s = l.head; s; s = s->next) xs.push_back(s->x);
    return xs;
}
std::vector<float> backward(const SpriteList& l) {
    std::vector<float> xs;
    for (const Sprite* s = l.tail; s; s = s->prev) xs.insert(xs.begin(), s->x);
    return xs;
}

void fill(SpriteList& l, int n) {
    for (int i = 0; i < n; ++i) push_front(l, static_cast<float>(i), 0, 1, 1, 0, 0);
}

}  // namespace

// Every removal position in a list of three, and the only sprite of a list
// of one: what the walk is told and how the list's links stand afterwards.
// (Pushing and clearing, every frame and level of the game suites does.)
TEST(SpriteList, RemoveCurrentAtEveryPosition) {
    struct Case {
        int size, position;
        bool reports_next;
        float next_x;
        std::vector<float> left;
    };
    const Case cases[] = {
        {1, 0, false, 0, {}},          // the only sprite
        {3, 0, true, 1, {1, 0}},       // head of a longer list
        {3, 1, true, 0, {2, 0}},       // middle
        {3, 2, false, 0, {2, 1}},      // tail
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " position " << c.position);
        SpriteList l;
        fill(l, c.size);
        l.cursor = l.head;
        for (int i = 0; i < c.position; ++i) l.cursor = l.cursor->next;
        Sprite* removed_prev = l.cursor->prev;
        Sprite* next = remove_current(l);
        EXPECT_EQ(next != nullptr, c.reports_next);
        EXPECT_EQ(l.cursor, next);
        if (next) {
            EXPECT_EQ(next->x, c.next_x);
            EXPECT_EQ(next->prev, removed_prev);
        }
        EXPECT_EQ(forward(l), c.left);
        EXPECT_EQ(backward(l), c.left);
        if (c.left.empty()) {
            EXPECT_EQ(l.head, nullptr);
            EXPECT_EQ(l.tail, nullptr);
        } else {
            EXPECT_EQ(l.head->prev, nullptr);
            EXPECT_EQ(l.tail->next, nullptr);
        }
    }
}

TEST(Overlaps, EdgesAndCornersThatTouchCount) {
    auto sprite = [](float x, float y, int w, int h) { return Sprite{x, y, w, h, 0, 0, nullptr, nullptr}; };
    const Sprite ball = sprite(100, 100, 24, 24);
    struct Case {
        Sprite other;
        bool expected;
    };
    const Case cases[] = {
        {sprite(124, 84, 32, 16), true},     // right edge meets left, bottom meets top
        {sprite(124.01f, 84, 32, 16), false},
        {sprite(124, 83.99f, 32, 16), false},
        {sprite(68, 124, 32, 16), true},     // bottom-left corner
        {sprite(67.99f, 124, 32, 16), false},
        {sprite(110, 110, 2, 2), true},      // inside
        {sprite(90, 90, 50, 50), true},      // around
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.other.x << "," << c.other.y);
        EXPECT_EQ(overlaps(ball, c.other), c.expected);
        EXPECT_EQ(overlaps(c.other, ball), c.expected);
    }
}
