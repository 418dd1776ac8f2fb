#include <gtest/gtest.h>

#include <string>

#include "text/text.h"

// What the game formats (signed scores, counters at their extremes, names),
// the score line's and the score table's suites read back; here, the limits.
TEST(Text, NeverWritesPastItsCapacity) {
    char16_t out[8];
    for (char16_t& c : out) c = u'#';
    const int n = format_text(out, 6, u"%s and %i", u"abcdef", 12345);
    EXPECT_EQ(n, 5);
    EXPECT_EQ(std::u16string(out), u"abcde");
    EXPECT_EQ(out[6], u'#');

    char16_t name[4];
    copy_text(name, 4, u"anonymous");
    EXPECT_EQ(std::u16string(name), u"ano");
    EXPECT_EQ(text_length(name), 3);
}
