#pragma once
/// \file
/// TMap: an ordered map from string keys to objects, iterated in key order.
/// Keys compare code unit by code unit.

#include <map>

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// An ordered map from strings to objects.
class TMap : public TObject {
public:
    /// Stores the value under the key, replacing what was there.
    void Insert(const String& key, Ref<TObject> value);
    /// The value under the key, or Null.
    Ref<TObject> ValueForKey(const String& key) const;
    /// True when the key has a value.
    bool Contains(const String& key) const;
    /// Removes the key; false if it was absent.
    bool Remove(const String& key);
    /// Removes every entry.
    void Clear();
    /// The number of entries.
    int Count() const;
    /// True when the map has no entry.
    bool IsEmpty() const;

    /// The entries, ordered by key.
    using Entries = std::map<String, Ref<TObject>>;
    /// The entries in key order.
    const Entries& All() const { return _entries; }

private:
    Entries _entries;
};

}  // namespace vellum
#pragma GCC visibility pop
