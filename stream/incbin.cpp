#include "stream/incbin.h"

#include <map>
#include <string>

#include "runtime/exception.h"
#include "stream/open_stream.h"

namespace vellum {

namespace {

struct Block {
    const void* data;
    int size;
};

std::map<std::u16string, Block>& Table() {
    static std::map<std::u16string, Block> table;
    return table;
}

std::u16string Key(std::u16string_view path) { return ForwardSlashes(String(path)); }

}  // namespace

void RegisterIncbin(std::u16string_view path, const void* data, int size) {
    if (size < 0 || (!data && size > 0)) throw TRuntimeException(u"Invalid embedded data block");
    Table()[Key(path)] = Block{data, size};
}

bool FindIncbin(std::u16string_view path, const void*& data, int& size) {
    auto found = Table().find(Key(path));
    if (found == Table().end()) return false;
    data = found->second.data;
    size = found->second.size;
    return true;
}

}  // namespace vellum
