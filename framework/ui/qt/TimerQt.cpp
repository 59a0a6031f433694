#include "Timer.h"

#include <QTimer>

namespace curvix {

struct CTimer::Impl {
    QTimer timer;
};

CTimer::CTimer(std::function<void()> callback) : m_pImpl(std::make_unique<Impl>()) {
    m_pImpl->timer.setSingleShot(true);
    QObject::connect(&m_pImpl->timer, &QTimer::timeout, &m_pImpl->timer, std::move(callback));
}

CTimer::~CTimer() = default;

void CTimer::Start(int milliseconds) {
    m_pImpl->timer.start(milliseconds);
}

void CTimer::Stop() {
    m_pImpl->timer.stop();
}

} // namespace curvix
