#include "font/freetype_memory.h"

#include FT_MODULE_H

#include <atomic>
#include <cstddef>
#include <cstdlib>

#include "runtime/load_limits.h"

namespace vellum {

namespace {

// Fonts are opened and rendered on one thread at a time (FreeType's rule
// for one library); the count is atomic because faces may be released
// from any thread.
std::atomic<long long> held{0};
long long limit = -1;  // the most FreeType may hold under the current allowance, -1 for none

union BlockHeader {
    size_t size;
    std::max_align_t align;
};

bool MayGrow(long long bytes) {
    if (bytes <= 0) return true;
    if (limit < 0) return bytes <= MAX_DECODER_WORK_BYTES;
    return held.load() + bytes <= limit;
}

void* Allocate(FT_Memory, long size) {
    if (size <= 0 || !MayGrow(size)) return nullptr;
    auto* block = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + static_cast<size_t>(size)));
    if (!block) return nullptr;
    block->size = static_cast<size_t>(size);
    held += size;
    return block + 1;
}

void Release(FT_Memory, void* pointer) {
    if (!pointer) return;
    auto* block = static_cast<BlockHeader*>(pointer) - 1;
    held -= static_cast<long long>(block->size);
    std::free(block);
}

void* Reallocate(FT_Memory memory, long, long newSize, void* pointer) {
    if (!pointer) return Allocate(memory, newSize);
    auto* block = static_cast<BlockHeader*>(pointer) - 1;
    long long oldSize = static_cast<long long>(block->size);
    if (newSize <= 0 || !MayGrow(newSize - oldSize)) return nullptr;
    auto* grown = static_cast<BlockHeader*>(std::realloc(block, sizeof(BlockHeader) + static_cast<size_t>(newSize)));
    if (!grown) return nullptr;
    grown->size = static_cast<size_t>(newSize);
    held += newSize - oldSize;
    return grown + 1;
}

FT_MemoryRec_ memoryRecord{nullptr, Allocate, Release, Reallocate};

}  // namespace

TFreeTypeAllowance::TFreeTypeAllowance(long long bytes) : _outer(limit) {
    long long mine = held.load() + bytes;
    limit = _outer >= 0 && _outer < mine ? _outer : mine;
}

TFreeTypeAllowance::~TFreeTypeAllowance() { limit = _outer; }

long long FreeTypeBytesHeld() { return held.load(); }

// The library lives for the whole process.
FT_Library FreeTypeLibrary() {
    static FT_Library library = nullptr;
    if (library) return library;
    TFreeTypeAllowance allowance(MAX_DECODER_WORK_BYTES);
    if (FT_New_Library(&memoryRecord, &library) != 0) {
        library = nullptr;
        return nullptr;
    }
    FT_Add_Default_Modules(library);
    FT_Set_Default_Properties(library);
    return library;
}

}  // namespace vellum
