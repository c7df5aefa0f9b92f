#include "runtime/exit_functions.h"

#include <vector>

namespace vellum {

namespace {

std::vector<std::function<void()>>& Functions() {
    // Never destroyed: the list must outlive every static that registers into it.
    static auto* functions = new std::vector<std::function<void()>>;
    return *functions;
}

}  // namespace

void AddExitFunction(std::function<void()> function) { Functions().push_back(std::move(function)); }

void RunExitFunctions() {
    auto& functions = Functions();
    // A function may register another; it runs in this same pass.
    while (!functions.empty()) {
        auto function = std::move(functions.back());
        functions.pop_back();
        function();
    }
}

}  // namespace vellum
