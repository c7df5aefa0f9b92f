// Fuzzes the TGA loader on arbitrary bytes.

#include "fuzz_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return vellum::fuzz::FuzzLoader<vellum::TTgaLoader>(data, size);
}
