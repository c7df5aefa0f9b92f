#include "runtime/version.h"

namespace vellum {

const char* VellumVersion() { return VELLUM_VERSION; }

}  // namespace vellum
