#include <gtest/gtest.h>

#include <vector>

#include "runtime/exception.h"
#include "system/hook.h"

using namespace vellum;

namespace {

struct TTrace : TObject {
    std::vector<int> calls;
};

struct TTag : TObject {
    explicit TTag(int n) : n(n) {}
    int n;
};

// Records the context's tag in the trace passed as data.
Ref<TObject> Record(int, const Ref<TObject>& data, const Ref<TObject>& context) {
    Cast<TTrace>(data)->calls.push_back(Cast<TTag>(context)->n);
    return data;
}

// Replaces the data with a tag one higher.
Ref<TObject> Increment(int, const Ref<TObject>& data, const Ref<TObject>&) {
    return New<TTag>(Cast<TTag>(data)->n + 1);
}

Ref<TObject> RemoveItself(int id, const Ref<TObject>& data, const Ref<TObject>& context) {
    DeleteHook(id, RemoveItself, context);
    return Record(id, data, context);
}

std::vector<int> CallOrder(int id) {
    auto trace = New<TTrace>();
    CallHooks(id, trace);
    return trace->calls;
}

}  // namespace

TEST(Hooks, RunByPriorityThenInOrderOfInsertion) {
    InitHookModule();
    int id = NewHookId();
    const int priorities[] = {0, 5, 0, -10000, 5};
    for (int i = 0; i < 5; ++i) InsertHook(id, Record, New<TTag>(i), priorities[i]);
    EXPECT_EQ(CallOrder(id), (std::vector<int>{1, 4, 0, 2, 3}));
}

TEST(Hooks, EachResultBecomesTheNextData) {
    int id = NewHookId();
    InsertHook(id, Increment, nullptr, 0);
    InsertHook(id, Increment, nullptr, 0);
    EXPECT_EQ(Cast<TTag>(CallHooks(id, New<TTag>(40)))->n, 42);
    EXPECT_EQ(CallHooks(NewHookId(), nullptr), nullptr);  // no subscribers: data unchanged
}

TEST(Hooks, DeleteNeedsTheSameFunctionAndContext) {
    int id = NewHookId();
    auto first = New<TTag>(1), second = New<TTag>(2);
    InsertHook(id, Record, first, 0);
    InsertHook(id, Record, second, 0);
    InsertHook(id, Record, first, 0);
    DeleteHook(id, Record, New<TTag>(1));  // equal content, other object
    DeleteHook(id, Increment, first);      // other function
    EXPECT_EQ(CallOrder(id), (std::vector<int>{1, 2, 1}));
    DeleteHook(id, Record, first);
    EXPECT_EQ(CallOrder(id), (std::vector<int>{2, 1}));
}

TEST(Hooks, ASubscriberMayRemoveItselfWhileRunning) {
    int id = NewHookId();
    InsertHook(id, RemoveItself, New<TTag>(1), 0);
    InsertHook(id, Record, New<TTag>(2), 0);
    EXPECT_EQ(CallOrder(id), (std::vector<int>{1, 2}));
    EXPECT_EQ(CallOrder(id), (std::vector<int>{2}));
}

TEST(Hooks, IdsRunOutAfter256) {
    EXPECT_EQ(NewHookId(), 0);
    for (int i = 1; i < 255; ++i) NewHookId();
    EXPECT_EQ(NewHookId(), 255);
    try {
        NewHookId();
        FAIL() << "the 257th id was handed out";
    } catch (const TRuntimeException& e) {
        EXPECT_EQ(e.ToString(), u"Too many hook ids");
    }
    EXPECT_THROW(CallHooks(256, nullptr), TRuntimeException);
}

TEST(Hooks, AnUnsetFunctionRaisesTheNullFunctionError) {
    THook hook;
    EXPECT_THROW(hook.Call(0, nullptr), TNullFunctionException);
}
