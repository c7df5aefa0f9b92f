#include "runtime/list.h"

namespace vellum {

TList::TList() : _head(New<TLink>()) {
    _head->_succ = _head;
    _head->_pred = _head.get();
}

TList::~TList() {
    Clear();
    _head->_succ = nullptr;  // the empty ring refers to itself
}

Ref<TLink> TList::AddLast(Ref<TObject> value) {
    auto link = New<TLink>();
    link->_value = std::move(value);
    TLink* last = _head->_pred;
    link->_pred = last;
    link->_succ = _head;
    last->_succ = link;
    _head->_pred = link.get();
    return link;
}

void TList::Unlink(TLink* link) {
    link->_value = nullptr;
    link->_succ->_pred = link->_pred;
    link->_pred->_succ = link->_succ;  // may free the link itself: touch nothing after this
}

bool TList::Remove(const Ref<TObject>& value) {
    for (TLink* link = _head->_succ.get(); link != _head.get(); link = link->_succ.get()) {
        if (link->_value == value) {
            Unlink(link);
            return true;
        }
    }
    return false;
}

void TList::RemoveLink(const Ref<TLink>& link) {
    if (link && link->_value && link->_pred) Unlink(link.get());
}

int TList::Count() const {
    int count = 0;
    for (TLink* link = _head->_succ.get(); link != _head.get(); link = link->_succ.get()) ++count;
    return count;
}

bool TList::IsEmpty() const { return _head->_succ == _head; }

void TList::Clear() {
    // Break the chain link by link: a link that an iterator still holds then
    // leads nowhere, and the links free without deep recursion.
    Ref<TLink> link = std::move(_head->_succ);
    while (link && link != _head) {
        Ref<TLink> next = std::move(link->_succ);
        link->_value = nullptr;
        link = std::move(next);
    }
    _head->_succ = _head;
    _head->_pred = _head.get();
}

Ref<TObject> TList::First() const { return _head->_succ->_value; }

Ref<TObject> TList::Last() const { return _head->_pred->_value; }

}  // namespace vellum
