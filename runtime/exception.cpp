#include "runtime/exception.h"

namespace vellum {

TException::TException(String message) : _message(std::move(message)), _utf8(ToUtf8(_message)) {}

}  // namespace vellum
