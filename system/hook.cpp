#include "system/hook.h"

#include <array>

#include "runtime/exception.h"
#include "runtime/startup.h"

namespace vellum {

namespace {

constexpr int kHookIds = 256;

struct HookRegistry {
    std::array<Ref<THook>, kHookIds> heads;
    int lastId = -1;
};

HookRegistry& Registry() {
    static auto* registry = new HookRegistry;  // hooks stay installed for the whole run
    return *registry;
}

Ref<THook>& Head(int id) {
    if (id < 0 || id >= kHookIds) throw TRuntimeException(u"Invalid hook id " + ToString(id));
    return Registry().heads[id];
}

}  // namespace

Ref<TObject> THook::Call(int id, const Ref<TObject>& data) const {
    if (!func) throw TNullFunctionException();
    return func(id, data, context);
}

int NewHookId() {
    auto& registry = Registry();
    if (registry.lastId + 1 >= kHookIds) throw TRuntimeException(u"Too many hook ids");
    return ++registry.lastId;
}

void InsertHook(int id, THookFunction func, Ref<TObject> context, int priority) {
    auto hook = New<THook>();
    hook->priority = priority;
    hook->func = func;
    hook->context = std::move(context);

    Ref<THook>& head = Head(id);
    THook* after = nullptr;
    for (THook* node = head.get(); node && node->priority >= priority; node = node->succ.get())
        after = node;
    Ref<THook>& slot = after ? after->succ : head;
    hook->succ = std::move(slot);
    slot = std::move(hook);
}

Ref<TObject> CallHooks(int id, Ref<TObject> data) {
    // Holding the node keeps it valid while its function runs, even if that
    // function deletes it; its successor is read only after the call.
    for (Ref<THook> node = Head(id); node; node = node->succ) data = node->Call(id, data);
    return data;
}

void DeleteHook(int id, THookFunction func, const Ref<TObject>& context) {
    for (Ref<THook>* slot = &Head(id); *slot; slot = &(*slot)->succ) {
        if ((*slot)->func == func && (*slot)->context == context) {
            *slot = (*slot)->succ;
            return;
        }
    }
}

void InitHookModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitRuntimeModule();
    Registry();
}

}  // namespace vellum
