#include <gtest/gtest.h>

#include <vector>

#include "runtime/list.h"
#include "runtime/string.h"

using namespace vellum;

namespace {

struct TNumber : TObject {
    explicit TNumber(int v) : value(v) {}
    int value;
};

struct TOther : TObject {};

std::vector<int> Values(const TList& list) {
    std::vector<int> values;
    for (const auto& number : list.Each<TNumber>()) values.push_back(number->value);
    return values;
}

Ref<TList> ListOf(std::vector<Ref<TNumber>>& numbers, int count) {
    auto list = New<TList>();
    for (int i = 0; i < count; ++i) {
        numbers.push_back(New<TNumber>(i));
        list->AddLast(numbers.back());
    }
    return list;
}

}  // namespace

TEST(List, AddsAtTheEndCountsAndClears) {
    std::vector<Ref<TNumber>> numbers;
    auto list = ListOf(numbers, 4);
    EXPECT_EQ(Values(*list), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list->Count(), 4);
    EXPECT_EQ(list->First(), numbers[0]);
    EXPECT_EQ(list->Last(), numbers[3]);
    list->Clear();
    EXPECT_TRUE(list->IsEmpty());
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->First(), nullptr);
    EXPECT_TRUE(Values(*list).empty());
}

TEST(List, RemoveTakesOnlyTheFirstOccurrence) {
    auto list = New<TList>();
    auto a = New<TNumber>(1), b = New<TNumber>(2);
    list->AddLast(a);
    list->AddLast(b);
    list->AddLast(a);
    EXPECT_TRUE(list->Remove(a));
    EXPECT_EQ(Values(*list), (std::vector<int>{2, 1}));
    EXPECT_FALSE(list->Remove(New<TNumber>(9)));
    EXPECT_EQ(list->Count(), 2);
}

TEST(List, RemovingTheElementJustHandedOutKeepsIterating) {
    std::vector<Ref<TNumber>> numbers;
    auto list = ListOf(numbers, 5);
    std::vector<int> seen;
    for (const auto& number : list->Each<TNumber>()) {
        seen.push_back(number->value);
        if (number->value % 2 == 0) list->Remove(number);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Values(*list), (std::vector<int>{1, 3}));
}

TEST(List, ElementsRemovedAheadOfTheIterationAreSkipped) {
    std::vector<Ref<TNumber>> numbers;
    auto list = ListOf(numbers, 5);
    std::vector<int> seen;
    for (const auto& number : list->Each<TNumber>()) {
        seen.push_back(number->value);
        if (number->value == 1) {
            list->Remove(numbers[2]);
            list->Remove(numbers[3]);
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 4}));
}

TEST(List, ElementsAddedDuringIterationAreVisited) {
    std::vector<Ref<TNumber>> numbers;
    auto list = ListOf(numbers, 2);
    std::vector<int> seen;
    for (const auto& number : list->Each<TNumber>()) {
        seen.push_back(number->value);
        if (number->value < 4) list->AddLast(New<TNumber>(number->value + 2));
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(List, ClearingDuringIterationEndsIt) {
    std::vector<Ref<TNumber>> numbers;
    auto list = ListOf(numbers, 4);
    int visits = 0;
    for (const auto& number : *list) {
        ++visits;
        EXPECT_NE(number, nullptr);
        list->Clear();
    }
    EXPECT_EQ(visits, 1);
}

TEST(List, TypedIterationSkipsOtherTypes) {
    auto list = New<TList>();
    list->AddLast(New<TNumber>(1));
    list->AddLast(New<TOther>());
    list->AddLast(BoxString(u"text"));
    list->AddLast(New<TNumber>(2));
    EXPECT_EQ(Values(*list), (std::vector<int>{1, 2}));
    int all = 0;
    for (const auto& object : *list) all += object != nullptr;
    EXPECT_EQ(all, 4);
}

TEST(List, ReleasesItsElementsAndSurvivesLongChains) {
    std::weak_ptr<TNumber> watched;
    {
        auto list = New<TList>();
        auto number = New<TNumber>(7);
        watched = number;
        list->AddLast(number);
        for (int i = 0; i < 200000; ++i) list->AddLast(New<TNumber>(i));
    }
    EXPECT_TRUE(watched.expired());
}
