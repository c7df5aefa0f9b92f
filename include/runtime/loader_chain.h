#pragma once
/// \file
/// The registry behind every chain of loaders and factories (pictures, fonts,
/// audio samples, stream urls): a list linked through each entry's _succ,
/// newest first. One rule for all of them: an entry already in the chain is
/// not linked again, since that would point its _succ at itself or at a newer
/// entry and make every search loop for ever. Entries stay registered for the
/// whole run.
///
/// Any thread may search a chain while another adds to it: an entry's _succ
/// is set before the entry is published at the head (release), searches
/// start from the head they acquire, and nothing changes a published entry.
/// A lock is held only while adding.

#include <atomic>
#include <mutex>
#include <utility>

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A chain of loaders or factories of type T (each with a Ref<T> _succ
/// field), newest first: the engine asks them in turn until one answers.
template <class T>
class TLoaderChain {
public:
    /// Links entry at the head, so it is asked first. False, and nothing
    /// changes, when entry is Null or already in the chain.
    bool Register(Ref<T> entry) {
        if (!entry) return false;
        std::lock_guard lock(adding_);
        if (Contains(entry)) return false;
        entry->_succ = owner_;
        owner_ = std::move(entry);
        head_.store(owner_.get(), std::memory_order_release);
        return true;
    }

    /// True when entry is in the chain.
    bool Contains(const Ref<T>& entry) const {
        for (T* e = head_.load(std::memory_order_acquire); e; e = e->_succ.get())
            if (e == entry.get()) return true;
        return false;
    }

    /// The newest entry, Null when there is none.
    Ref<T> First() const {
        T* e = head_.load(std::memory_order_acquire);
        return e ? Self(e) : nullptr;
    }

    /// The first answer of ask(entry) that is not Null, asking the newest
    /// entry first; Null when no entry answers.
    template <class Ask>
    auto FirstAnswer(Ask&& ask) const -> decltype(ask(std::declval<const Ref<T>&>())) {
        for (auto e = First(); e; e = e->_succ)
            if (auto answer = ask(e)) return answer;
        return nullptr;
    }

private:
    std::mutex adding_;
    Ref<T> owner_;                   // the head, owned; written only while adding
    std::atomic<T*> head_{nullptr};  // the head, published for searches
};

/// The one chain of T, with its module started first, so that the module's
/// own entries are in place, and the oldest, before any search or addition.
template <class T, void (*StartModule)()>
TLoaderChain<T>& ModuleChain() {
    StartModule();
    static auto* chain = new TLoaderChain<T>;  // entries stay registered for the whole run
    return *chain;
}

}  // namespace vellum
#pragma GCC visibility pop
