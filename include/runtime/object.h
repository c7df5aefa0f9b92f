#pragma once
/// \file
/// The object model: every engine and game type derives from TObject and is
/// shared through Ref<T>. Null is nullptr; type tests are dynamic casts.

#include <memory>
#include <utility>

#pragma GCC visibility push(default)
namespace vellum {

/// The root of every engine object: shared by reference (Ref), never copied.
class TObject : public std::enable_shared_from_this<TObject> {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

/// A counted reference to an object; Null (nullptr) refers to none. The
/// object lives as long as a reference to it does.
template <class T>
using Ref = std::shared_ptr<T>;

/// Creates a new object of type T.
template <class T, class... Args>
Ref<T> New(Args&&... args) {
    return std::make_shared<T>(std::forward<Args>(args)...);
}

/// The object as a T, or Null when it is Null or of another type.
template <class T, class U>
Ref<T> Cast(const Ref<U>& object) {
    return std::dynamic_pointer_cast<T>(object);
}

/// A reference to an object from inside one of its own methods.
template <class T>
Ref<T> Self(T* object) {
    return std::static_pointer_cast<T>(object->shared_from_this());
}

}  // namespace vellum
#pragma GCC visibility pop
