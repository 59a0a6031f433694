#include "DisplayConnection.h"

#include "DisplayCheck.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace curvix {

namespace {

// Standard error while the display opens: held back in a temporary file,
// shown afterwards unless the opening fails.
class HeldStandardError {
public:
    HeldStandardError() : m_held(std::tmpfile()) {
        std::fflush(stderr);
        m_saved = m_held != nullptr ? ::dup(STDERR_FILENO) : -1;
        if (m_saved < 0 || ::dup2(::fileno(m_held), STDERR_FILENO) < 0) {
            Restore();
        }
    }
    HeldStandardError(const HeldStandardError&) = delete;
    HeldStandardError& operator=(const HeldStandardError&) = delete;
    ~HeldStandardError() {
        Restore();
        if (m_held != nullptr) {
            std::fclose(m_held);
        }
    }

    // Standard error as it was; what was held back is dropped.
    void Restore() {
        if (m_saved < 0) {
            return;
        }
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }

    // Standard error as it was, with what was held back written to it.
    void Release() {
        const bool held = m_saved >= 0;
        Restore();
        if (!held || m_held == nullptr) {
            return;
        }
        std::rewind(m_held);
        char buffer[4096];
        std::size_t count = 0;
        while ((count = std::fread(buffer, 1, sizeof buffer, m_held)) > 0) {
            std::fwrite(buffer, 1, count, stderr);
        }
        std::fflush(stderr);
    }

private:
    std::FILE* m_held;
    int m_saved = -1;
};

HeldStandardError* g_pHeld = nullptr;
std::string* g_pFailureLine = nullptr;
QtMessageHandler g_previousHandler = nullptr;

// Qt's failure to open the display is a fatal message, after which it
// aborts: the program ends here first.
void OnOpeningMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && g_pHeld != nullptr && g_pFailureLine != nullptr) {
        g_pHeld->Restore();
        std::fprintf(stderr, "%s\n", g_pFailureLine->c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (g_previousHandler != nullptr) {
        g_previousHandler(type, context, message);
    }
}

} // namespace

std::unique_ptr<QApplication> ConnectToDisplay(int& argc, char** argv) {
    std::string failureLine = UnreachableDisplayText(argc, argv);
    HeldStandardError held;
    g_pHeld = &held;
    g_pFailureLine = &failureLine;
    g_previousHandler = qInstallMessageHandler(OnOpeningMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    g_pHeld = nullptr;
    g_pFailureLine = nullptr;
    held.Release();
    return application;
}

} // namespace curvix
