#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "text/text.h"

TEST(Text, FormatsSignedDecimalsAndTexts) {
    char16_t out[128];
    format_text(out, 128, u"%i: %s.", 50, u"open");
    EXPECT_EQ(std::u16string(out), u"50: open.");
    format_text(out, 128, u"[%i|%i|%i]", INT_MIN, INT_MAX, -7);
    EXPECT_EQ(std::u16string(out), u"[-2147483648|2147483647|-7]");
    format_text(out, 128, u"100%% %s", u"");
    EXPECT_EQ(std::u16string(out), u"100% ");
}

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
