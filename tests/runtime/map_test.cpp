#include <gtest/gtest.h>

#include "runtime/map.h"

using namespace vellum;

TEST(Map, IteratesInUtf16CodeUnitOrder) {
    TMap map;
    // U+FF21 sorts after the surrogate pair of U+1F600 by code unit, though
    // it comes first by code point.
    const String keys[] = {u"\uFF21", u"\U0001F600", u"b", u"B", u"\u00E9", u"ab", u"a"};
    for (const auto& key : keys) map.Insert(key, BoxString(key));
    std::vector<String> order;
    for (const auto& [key, value] : map.All()) order.push_back(key);
    EXPECT_EQ(order, (std::vector<String>{u"B", u"a", u"ab", u"b", u"\u00E9", u"\U0001F600", u"\uFF21"}));
}

TEST(Map, InsertReplacesAndRemoveForgets) {
    TMap map;
    map.Insert(u"ROCK", BoxString(u"first"));
    map.Insert(u"ROCK", BoxString(u"second"));
    EXPECT_EQ(map.Count(), 1);
    String text;
    ASSERT_TRUE(UnboxString(map.ValueForKey(u"ROCK"), text));
    EXPECT_EQ(text, u"second");
    EXPECT_EQ(map.ValueForKey(u"rock"), nullptr);
    EXPECT_TRUE(map.Remove(u"ROCK"));
    EXPECT_FALSE(map.Remove(u"ROCK"));
    EXPECT_TRUE(map.IsEmpty());
}
