#include "context/gl_check.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vellum {

const char* GLErrorName(GLenum error) {
    switch (error) {
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW: return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW: return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    default: {
        static char number[16];
        std::snprintf(number, sizeof number, "0x%04X", error);
        return number;
    }
    }
}

void CheckGLCall(const char* call, const char* file, int line) {
    GLenum error = glGetError();
    if (error == GL_NO_ERROR) return;
    const char* paren = std::strchr(call, '(');
    int nameLength = paren ? static_cast<int>(paren - call) : static_cast<int>(std::strlen(call));
    std::fprintf(stderr, "OpenGL error: %.*s: %s (%s:%d)\n", nameLength, call, GLErrorName(error), file, line);
    std::fflush(stderr);
    std::abort();
}

}  // namespace vellum
