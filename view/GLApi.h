#pragma once

#include <GL/gl.h>

namespace curvix {

// The OpenGL entry points the scene drawing uses, called through one table so
// that a test can put a recorder in place of the real library.
struct GLApi {
    void (*ShadeModel)(GLenum mode);
    void (*ClearColor)(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
    void (*BlendFunc)(GLenum sourceFactor, GLenum destinationFactor);
    void (*Viewport)(GLint x, GLint y, GLsizei width, GLsizei height);
    void (*MatrixMode)(GLenum mode);
    void (*LoadIdentity)();
    void (*Ortho)(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
                  GLdouble farVal);
    void (*Clear)(GLbitfield mask);
    void (*Rotatef)(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
    void (*Color3f)(GLfloat red, GLfloat green, GLfloat blue);
    void (*Begin)(GLenum mode);
    void (*Vertex2f)(GLfloat x, GLfloat y);
    void (*End)();
};

// The system's OpenGL library.
const GLApi& RealGLApi();

// The table drawing goes through; the real library unless a test replaced it.
const GLApi& ActiveGLApi();

// Puts another table in place for this object's lifetime (tests only).
class ScopedGLApi {
public:
    explicit ScopedGLApi(const GLApi& api);
    ~ScopedGLApi();
    ScopedGLApi(const ScopedGLApi&) = delete;
    ScopedGLApi& operator=(const ScopedGLApi&) = delete;

private:
    const GLApi* m_pPrevious;
};

} // namespace curvix
