#include "GLRecorder.h"

namespace curvix::test {

namespace {

std::vector<GLCall> g_calls;

void Log(const char* name, std::vector<double> args) {
    g_calls.push_back(GLCall{name, std::move(args)});
}

const GLApi kRecordingApi = {
    [](GLenum mode) { Log("ShadeModel", {double(mode)}); },
    [](GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
        Log("ClearColor", {r, g, b, a});
    },
    [](GLenum s, GLenum d) {
        Log("BlendFunc", {double(s), double(d)});
    },
    [](GLint x, GLint y, GLsizei w, GLsizei h) {
        Log("Viewport", {double(x), double(y), double(w), double(h)});
    },
    [](GLenum mode) { Log("MatrixMode", {double(mode)}); },
    []() { Log("LoadIdentity", {}); },
    [](GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
        Log("Ortho", {l, r, b, t, n, f});
    },
    [](GLbitfield mask) { Log("Clear", {double(mask)}); },
    [](GLfloat a, GLfloat x, GLfloat y, GLfloat z) {
        Log("Rotatef", {a, x, y, z});
    },
    [](GLfloat r, GLfloat g, GLfloat b) {
        Log("Color3f", {r, g, b});
    },
    [](GLenum mode) { Log("Begin", {double(mode)}); },
    [](GLfloat x, GLfloat y) {
        Log("Vertex2f", {x, y});
    },
    []() { Log("End", {}); },
};

} // namespace

void PrintTo(const GLCall& call, std::ostream* out) {
    *out << call.name << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i) {
        *out << (i ? ", " : "") << call.args[i];
    }
    *out << ")";
}

GLRecorder::GLRecorder() : m_scope(kRecordingApi) {
    g_calls.clear();
}

const std::vector<GLCall>& GLRecorder::Calls() const {
    return g_calls;
}

void GLRecorder::Clear() {
    g_calls.clear();
}

std::vector<std::pair<float, float>> GLRecorder::Batch(GLenum mode, int index) const {
    std::vector<std::pair<float, float>> vertices;
    bool inside = false;
    for (const GLCall& call : g_calls) {
        if (call.name == "Begin" && call.args[0] == double(mode) && index-- == 0) {
            inside = true;
        } else if (inside && call.name == "End") {
            break;
        } else if (inside && call.name == "Vertex2f") {
            vertices.emplace_back(float(call.args[0]), float(call.args[1]));
        }
    }
    return vertices;
}

bool SwapLoggingDevice::SwapBuffers() {
    Log("SwapBuffers", {});
    return true;
}

} // namespace curvix::test
