#include <gtest/gtest.h>

#include <climits>

#include "runtime/string.h"

using namespace vellum;

TEST(String, DecimalText) {
    EXPECT_EQ(ToString(0), u"0");
    EXPECT_EQ(ToString(-42), u"-42");
    EXPECT_EQ(ToString(INT_MIN), u"-2147483648");
    EXPECT_EQ(ToString(1234567890123LL), u"1234567890123");
    EXPECT_EQ(ToString(1.5f), u"1.5");
    EXPECT_EQ(ToString(0.1), u"0.1");
    EXPECT_EQ(ToString(0.1f), u"0.1");  // shortest text of the float, not of its double
    EXPECT_EQ(static_cast<float>(ParseDouble(ToString(3.14159f))), 3.14159f);
}

TEST(String, Utf8RoundTripsEveryPlane) {
    const String text = u"A\u00C4\u20AC\U0001F600z";
    const std::string utf8 = ToUtf8(text);
    EXPECT_EQ(utf8, "A\xC3\x84\xE2\x82\xAC\xF0\x9F\x98\x80z");
    EXPECT_EQ(FromUtf8(utf8), text);
}

TEST(String, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(FromUtf8("a\x80z"), u"a\uFFFDz");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");                // cut short
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD");            // overlong '/'
    EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD");    // beyond U+10FFFF
}

TEST(String, ALoneSurrogateIsTheThreeBytesOfItsCodeBothWays) {
    const String lone = String(1, u'\xDC00') + u"x" + String(1, u'\xD800');
    EXPECT_EQ(ToUtf8(lone), "\xED\xB0\x80x\xED\xA0\x80");
    EXPECT_EQ(FromUtf8(ToUtf8(lone)), lone);
}

TEST(String, Latin1KeepsTheLowByte) {
    EXPECT_EQ(FromLatin1("\xC4\xFF"), u"\u00C4\u00FF");
    EXPECT_EQ(ToLatin1(u"\u00C4\u0141"), "\xC4\x41");
}

TEST(String, CaseChangesOnlyAsciiLetters) {
    EXPECT_EQ(ToUpper(u"boat-\u00E9z"), u"BOAT-\u00E9Z");
    EXPECT_EQ(ToLower(u"UTF8::X"), u"utf8::x");
}

TEST(String, ParsesLeadingNumbers) {
    EXPECT_EQ(ParseInt(u"  -17xyz"), -17);
    EXPECT_EQ(ParseInt(u"abc"), 0);
    EXPECT_EQ(ParseInt(u"4294967297"), 1);  // wraps like a 32-bit int
    EXPECT_EQ(ParseLong(u"-9223372036854775808"), LLONG_MIN);
    EXPECT_DOUBLE_EQ(ParseDouble(u" 2.5e3 "), 2500.0);
    EXPECT_EQ(ParseDouble(u""), 0.0);
}

TEST(String, BoxedStrings) {
    String text = u"unchanged";
    EXPECT_FALSE(UnboxString(nullptr, text));
    EXPECT_EQ(text, u"unchanged");
    EXPECT_TRUE(UnboxString(BoxString(u"x"), text));
    EXPECT_EQ(text, u"x");
}
