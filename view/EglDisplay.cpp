#include "EglDisplay.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace curvix {

namespace {

constexpr EGLint kMaxDevices = 16;

bool HasExtension(const char* list, const char* name) {
    if (list == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(name);
    for (const char* p = std::strstr(list, name); p != nullptr; p = std::strstr(p + 1, name)) {
        const bool startsWord = p == list || p[-1] == ' ';
        const bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

// Initialises display and checks that it can make a context without a
// window; "" when it can, otherwise why not.
std::string Prepare(EGLDisplay display, OffscreenDisplay& result) {
    EGLint major = 0;
    EGLint minor = 0;
    if (display == EGL_NO_DISPLAY || eglInitialize(display, &major, &minor) == EGL_FALSE) {
        return "cannot be opened";
    }
    // The display stays initialised until the process ends: terminating it
    // unloads the driver and leaks its memory.
    const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
    if (!HasExtension(extensions, "EGL_KHR_surfaceless_context")) {
        return "cannot draw without a window";
    }
    EGLConfig config = nullptr;
    if (!HasExtension(extensions, "EGL_KHR_no_config_context")) {
        const EGLint wanted[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
        EGLint count = 0;
        if (eglChooseConfig(display, wanted, &config, 1, &count) == EGL_FALSE || count < 1) {
            return "has no desktop OpenGL configuration";
        }
    }
    result.display = display;
    result.config = config;
    return "";
}

std::string TrySurfaceless(const char* clientExtensions, OffscreenDisplay& result) {
    if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        return "not offered";
    }
    return Prepare(
        eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr), result);
}

std::string TryDevices(const char* clientExtensions, OffscreenDisplay& result) {
    auto queryDevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    if (!HasExtension(clientExtensions, "EGL_EXT_platform_device") || queryDevices == nullptr) {
        return "not offered";
    }
    EGLDeviceEXT devices[kMaxDevices];
    EGLint count = 0;
    if (queryDevices(kMaxDevices, devices, &count) == EGL_FALSE || count < 1) {
        return "no devices";
    }
    std::string reasons;
    for (EGLint i = 0; i < count; ++i) {
        const std::string why =
            Prepare(eglGetPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr), result);
        if (why.empty()) {
            return "";
        }
        reasons +=
            (reasons.empty() ? "" : ", ") + std::string("device ") + std::to_string(i) + " " + why;
    }
    return reasons;
}

std::string TryDefault(const char* /*clientExtensions*/, OffscreenDisplay& result) {
    return Prepare(eglGetDisplay(EGL_DEFAULT_DISPLAY), result);
}

struct Platform {
    const char* key;
    const char* name;
    std::string (*open)(const char* clientExtensions, OffscreenDisplay& result);
};

constexpr Platform kPlatforms[] = {
    {"surfaceless", "surfaceless platform", TrySurfaceless},
    {"device", "device platform", TryDevices},
    {"default", "default display", TryDefault},
};

std::vector<const Platform*> PlatformOrder() {
    std::vector<const Platform*> order;
    const char* chosen = std::getenv("CURVIX_EGL_PLATFORMS");
    if (chosen == nullptr) {
        for (const Platform& platform : kPlatforms) {
            order.push_back(&platform);
        }
        return order;
    }
    std::istringstream list(chosen);
    for (std::string key; std::getline(list, key, ',');) {
        for (const Platform& platform : kPlatforms) {
            if (key == platform.key) {
                order.push_back(&platform);
            }
        }
    }
    return order;
}

} // namespace

OffscreenDisplay OpenOffscreenDisplay() {
    OffscreenDisplay result;
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    std::string tried;
    for (const Platform* platform : PlatformOrder()) {
        const std::string why = platform->open(clientExtensions, result);
        if (why.empty()) {
            return result;
        }
        tried += (tried.empty() ? "" : "; ") + std::string(platform->name) + ": " + why;
    }
    result.error = "no EGL display can draw offscreen (" +
                   (tried.empty() ? std::string("no platform chosen") : tried) + ")";
    return result;
}

} // namespace curvix
