#pragma once
/// \file
/// TList: a doubly linked list of object references with a sentinel head.
/// Iteration has already stepped on to the next link when it hands out an
/// element, so the element just handed out may be removed safely; links
/// removed during iteration are skipped.

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// One element's place in a TList.
class TLink : public TObject {
public:
    /// The element, Null once the link was removed.
    const Ref<TObject>& Value() const { return _value; }

private:
    friend class TList;
    Ref<TObject> _value;  ///< Null once the link is removed
    Ref<TLink> _succ;     ///< a removed link keeps its successor so iteration can go on
    TLink* _pred = nullptr;
};

/// A doubly linked list of object references, first to last.
class TList : public TObject {
public:
    TList();
    ~TList() override;

    /// Appends the value and returns its link.
    Ref<TLink> AddLast(Ref<TObject> value);
    /// Removes the first link holding this object; false if there is none.
    bool Remove(const Ref<TObject>& value);
    /// Removes one link of this list.
    void RemoveLink(const Ref<TLink>& link);
    /// The number of elements.
    int Count() const;
    /// True when the list has no element.
    bool IsEmpty() const;
    /// Removes every element.
    void Clear();
    /// The first or the last element, Null when the list is empty.
    ///@{
    Ref<TObject> First() const;
    Ref<TObject> Last() const;
    ///@}

    /// Walks the elements first to last, handing out those of type T.
    template <class T>
    class Iterator {
    public:
        /// Starts at the link start of the list whose head is head.
        Iterator(Ref<TLink> start, const TLink* head) : _next(std::move(start)), _head(head) { Advance(); }
        /// The element handed out now.
        const Ref<T>& operator*() const { return _value; }
        /// Steps to the next element of type T.
        Iterator& operator++() {
            Advance();
            return *this;
        }
        /// True until the walk has passed the last element.
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

    /// The elements of type T, for a range-based for loop (Each).
    template <class T>
    struct Range {
        Ref<TLink> first;   ///< the link to start from
        const TLink* head;  ///< the list's sentinel, where the walk ends
        /// The walk over the elements, and its end.
        ///@{
        Iterator<T> begin() const { return Iterator<T>(first, head); }
        Iterator<T> end() const { return Iterator<T>(nullptr, head); }
        ///@}
    };

    /// Elements of type T only, like a typed for-each.
    template <class T>
    Range<T> Each() const {
        return Range<T>{_head->_succ, _head.get()};
    }
    /// Every element, for a range-based for loop, and the walk's end.
    ///@{
    Iterator<TObject> begin() const { return Iterator<TObject>(_head->_succ, _head.get()); }
    Iterator<TObject> end() const { return Iterator<TObject>(nullptr, _head.get()); }
    ///@}

private:
    void Unlink(TLink* link);
    Ref<TLink> _head;
};

}  // namespace vellum
#pragma GCC visibility pop
