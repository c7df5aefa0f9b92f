#include "runtime/map.h"

namespace vellum {

void TMap::Insert(const String& key, Ref<TObject> value) { _entries[key] = std::move(value); }

Ref<TObject> TMap::ValueForKey(const String& key) const {
    auto it = _entries.find(key);
    return it == _entries.end() ? nullptr : it->second;
}

bool TMap::Contains(const String& key) const { return _entries.count(key) != 0; }

bool TMap::Remove(const String& key) { return _entries.erase(key) != 0; }

void TMap::Clear() { _entries.clear(); }

int TMap::Count() const { return static_cast<int>(_entries.size()); }

bool TMap::IsEmpty() const { return _entries.empty(); }

}  // namespace vellum
