#include <gtest/gtest.h>

#include "platform/text.h"

namespace morvane::platform {
namespace {

TEST(TextTest, RoundTripsEveryPlane) {
    // clang-format off
    const std::string samples[] = {
        "",
        "C:\\enc\\film.m2v",
        "D:\\\xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE\\\xE6\x98\xA0\xE7\x94\xBB.m2v",  // Cyrillic and CJK
        "\xF0\x9F\x8E\xAC clip.m2v",                                              // outside the BMP
        "\xC3\x8F",                                                               // the busy mark
        "\x7F\xEE\x80\x80\xEF\xBF\xBF\xF0\x90\x80\x80",  // U+007F, U+E000, U+FFFF, ending outside the BMP
        "\xF4\x8F\xBF\xBF",                             // U+10FFFF, the last there is
    };
    // clang-format on
    for (const std::string& s : samples) EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(s)), s);
}

TEST(TextTest, NonBmpBecomesASurrogatePair) {
    const std::u16string w = utf8ToUtf16("\xF0\x9F\x8E\xAC");
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0], 0xD83C);
    EXPECT_EQ(w[1], 0xDFAC);
}

TEST(TextTest, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(utf8ToUtf16(std::string("a\xFF") + "b"), u"a\uFFFDb");
    EXPECT_EQ(utf8ToUtf16("a\xC3"), u"a\uFFFD");  // cut short
    EXPECT_EQ(utf8ToUtf16("a\xE6\x98"
                          "bc"),
              u"a\uFFFDbc");                              // cut short inside: what follows is kept
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD");        // overlong
    EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD");    // encoded surrogate
    EXPECT_EQ(utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");  // lone surrogate
    EXPECT_EQ(utf16ToUtf8(u"\xD7FF\xDC00"), "\xED\x9F\xBF\xEF\xBF\xBD");  // U+D7FF pairs with nothing
}

TEST(TextTest, AsciiUpperLeavesOtherLettersAlone) {
    EXPECT_EQ(asciiUpper("PullDown.exe"), "PULLDOWN.EXE");
    EXPECT_EQ(asciiUpper("\xC3\xA9t\xC3\xA9"), "\xC3\xA9T\xC3\xA9");
}

}  // namespace
}  // namespace morvane::platform
