#pragma once
// TList: a doubly linked list of object references with a sentinel head.
// Iteration has already stepped on to the next link when it hands out an
// element, so the element just handed out may be removed safely; links
// removed during iteration are skipped.

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

class TLink : public TObject {
public:
    const Ref<TObject>& Value() const { return _value; }

private:
    friend class TList;
    Ref<TObject> _value;  // Null once the link is removed
    Ref<TLink> _succ;     // a removed link keeps its successor so iteration can go on
    TLink* _pred = nullptr;
};

class TList : public TObject {
public:
    TList();
    ~TList() override;

    // Appends the value and returns its link.
    Ref<TLink> AddLast(Ref<TObject> value);
    // Removes the first link holding this object; false if there is none.
    bool Remove(const Ref<TObject>& value);
    // Removes one link of this list.
    void RemoveLink(const Ref<TLink>& link);
    int Count() const;
    bool IsEmpty() const;
    void Clear();
    Ref<TObject> First() const;
    Ref<TObject> Last() const;

    // Walks the elements first to last, handing out those of type T.
    template <class T>
    class Iterator {
    public:
        Iterator(Ref<TLink> start, const TLink* head) : _next(std::move(start)), _head(head) { Advance(); }
        const Ref<T>& operator*() const { return _value; }
        Iterator& operator++() {
            Advance();
            return *this;
        }
        bool operator!=(const Iterator&) const { return _value != nullptr; }

    private:
        void Advance() {
            _value = nullptr;
            while (_next && _next.get() != _head) {
                Ref<TLink> link = std::move(_next);
                _next = link->_succ;
                if ((_value = Cast<T>(link->_value))) return;
            }
            _next = nullptr;
        }
        Ref<TLink> _next;
        const TLink* _head;
        Ref<T> _value;
    };

    template <class T>
    struct Range {
        Ref<TLink> first;
        const TLink* head;
        Iterator<T> begin() const { return Iterator<T>(first, head); }
        Iterator<T> end() const { return Iterator<T>(nullptr, head); }
    };

    // Elements of type T only, like a typed for-each.
    template <class T>
    Range<T> Each() const {
        return Range<T>{_head->_succ, _head.get()};
    }
    Iterator<TObject> begin() const { return Iterator<TObject>(_head->_succ, _head.get()); }
    Iterator<TObject> end() const { return Iterator<TObject>(nullptr, _head.get()); }

private:
    void Unlink(TLink* link);
    Ref<TLink> _head;
};

}  // namespace vellum
#pragma GCC visibility pop
