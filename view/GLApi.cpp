#include "GLApi.h"

namespace curvix {

namespace {

const GLApi kRealGLApi = {
    glShadeModel, glClearColor, glBlendFunc, glViewport, glMatrixMode, glLoadIdentity, glOrtho,
    glClear,      glRotatef,    glColor3f,   glBegin,    glVertex2f,   glEnd,
};

const GLApi* g_pActive = &kRealGLApi;

} // namespace

const GLApi& RealGLApi() {
    return kRealGLApi;
}

const GLApi& ActiveGLApi() {
    return *g_pActive;
}

ScopedGLApi::ScopedGLApi(const GLApi& api) : m_pPrevious(g_pActive) {
    g_pActive = &api;
}

ScopedGLApi::~ScopedGLApi() {
    g_pActive = m_pPrevious;
}

} // namespace curvix
