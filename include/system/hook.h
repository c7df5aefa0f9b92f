#pragma once
/// \file
/// Hooks: numbered lists of subscriber functions run in priority order, each
/// passing its result on as the data of the next.

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A subscriber's function: gets the hook id, the data so far and its own
/// context, and returns the data handed to the next subscriber.
using THookFunction = Ref<TObject> (*)(int id, const Ref<TObject>& data, const Ref<TObject>& context);

/// One subscriber of a hook list.
class THook : public TObject {
public:
    Ref<THook> succ;               ///< the next subscriber
    int priority = 0;              ///< higher priorities run first
    THookFunction func = nullptr;  ///< calling an unset function raises TNullFunctionException
    Ref<TObject> context;          ///< handed to func on every call

    /// Calls func with the id, data and context; its result.
    Ref<TObject> Call(int id, const Ref<TObject>& data) const;
};

/// Allocates the next hook id, 0 to 255; the 257th call raises "Too many hook ids".
int NewHookId();
/// Subscribes func with its context; higher priorities run first, equal ones in
/// order of insertion.
void InsertHook(int id, THookFunction func, Ref<TObject> context, int priority);
/// Runs every subscriber of the hook in order and returns the final data.
Ref<TObject> CallHooks(int id, Ref<TObject> data);
/// Removes the first subscriber with this function and context.
void DeleteHook(int id, THookFunction func, const Ref<TObject>& context);

/// Starts the hook registry.
void InitHookModule();

}  // namespace vellum
#pragma GCC visibility pop
