#pragma once
// GL_CALL(glSomething(...)) makes one OpenGL call. In a build with
// VELLUM_GL_CHECKS (the test build) it is followed by glGetError, and an error
// stops the program with the call's name, e.g. "glTexImage2D: GL_INVALID_VALUE",
// so a wrong call fails the test that made it instead of drawing nothing. In
// other builds it is the bare call.
//
// Between glBegin and glEnd glGetError is itself an error: calls there are made
// bare, and GL_CALL(glEnd()) reports what any of them raised.

#include <GL/gl.h>

#ifndef VELLUM_GL_CHECKS
#define VELLUM_GL_CHECKS 0
#endif

namespace vellum {

// The error's name ("GL_INVALID_ENUM"), or its number for one without a name.
const char* GLErrorName(GLenum error);
// Reads glGetError; on an error, prints "<name of call>: <error>" with the
// place and aborts. call is the call's text; its name is what precedes '('.
void CheckGLCall(const char* call, const char* file, int line);

}  // namespace vellum

#if VELLUM_GL_CHECKS
#define GL_CALL(...)                                           \
    do {                                                       \
        __VA_ARGS__;                                           \
        ::vellum::CheckGLCall(#__VA_ARGS__, __FILE__, __LINE__); \
    } while (0)
#else
#define GL_CALL(...) __VA_ARGS__
#endif
