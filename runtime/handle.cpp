#include "runtime/handle.h"

#include <unordered_map>

namespace vellum {

namespace {

struct HandleTable {
    std::unordered_map<int, Ref<TObject>> objects;
    std::unordered_map<const TObject*, int> handles;
    int next = 1;
};

HandleTable& Table() {
    static auto* table = new HandleTable;  // lives for the whole run
    return *table;
}

}  // namespace

int HandleFromObject(const Ref<TObject>& object) {
    if (!object) return 0;
    auto& table = Table();
    auto it = table.handles.find(object.get());
    if (it != table.handles.end()) return it->second;
    int handle = table.next++;
    table.objects[handle] = object;
    table.handles[object.get()] = handle;
    return handle;
}

Ref<TObject> HandleToObject(int handle) {
    auto& table = Table();
    auto it = table.objects.find(handle);
    return it == table.objects.end() ? nullptr : it->second;
}

void ReleaseHandle(int handle) {
    auto& table = Table();
    auto it = table.objects.find(handle);
    if (it == table.objects.end()) return;
    table.handles.erase(it->second.get());
    table.objects.erase(it);
}

}  // namespace vellum
