#pragma once
/// \file
/// Integer handles for objects, for interfaces that pass objects as ints.

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The handle of the object, allocating one on first use; 0 for Null.
/// The handle table keeps the object alive until the handle is released.
int HandleFromObject(const Ref<TObject>& object);
/// The object of a handle, or Null.
Ref<TObject> HandleToObject(int handle);
/// Forgets the handle and lets go of its object; unknown handles are ignored.
void ReleaseHandle(int handle);

}  // namespace vellum
#pragma GCC visibility pop
