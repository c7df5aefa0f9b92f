#include "pixmap/picture_input.h"

#include "runtime/load_limits.h"

namespace vellum {

bool InputCanHold(TStream& stream, long long pictureBytes, long long minInputBytes) {
    if (pictureBytes <= MAX_DECODER_WORK_BYTES) return true;
    int size = stream.Size(), pos = stream.Pos();
    if (size <= 0 || pos < 0) return true;
    return static_cast<long long>(size) - pos >= minInputBytes;
}

}  // namespace vellum
