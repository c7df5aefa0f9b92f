#include "stream/incbin.h"

#include <atomic>
#include <mutex>
#include <string>

#include "runtime/exception.h"
#include "stream/open_stream.h"

namespace vellum {

namespace {

// Blocks are never changed once published and live for the whole run; the
// newest comes first, so a later block under a path hides the earlier one.
// Streamed sounds look blocks up on their own threads while the program
// may still register more: a lock is held only while adding.
struct Block {
    std::u16string path;
    const void* data;
    int size;
    const Block* older;
};

std::atomic<const Block*> newest{nullptr};
std::mutex adding;

std::u16string Key(std::u16string_view path) { return ForwardSlashes(String(path)); }

}  // namespace

void RegisterIncbin(std::u16string_view path, const void* data, int size) {
    if (size < 0 || (!data && size > 0)) throw TRuntimeException(u"Invalid embedded data block");
    std::lock_guard lock(adding);
    newest.store(new Block{Key(path), data, size, newest.load(std::memory_order_relaxed)}, std::memory_order_release);
}

bool FindIncbin(std::u16string_view path, const void*& data, int& size) {
    std::u16string key = Key(path);
    for (const Block* block = newest.load(std::memory_order_acquire); block; block = block->older) {
        if (block->path != key) continue;
        data = block->data;
        size = block->size;
        return true;
    }
    return false;
}

}  // namespace vellum
