#pragma once

#include "Win32Api.h"

#include <functional>

namespace curvix {

// The framework's message loop: GetMessageW, then preTranslate (true when
// it handled the message itself: accelerators, a dialog bar's keys), else
// TranslateMessage and DispatchMessageW. onIdle runs whenever the queue
// has become empty, before the loop waits, but not again after only a
// paint, the caret's timer or a mouse move that moved nothing, so that an
// idle step that repaints does not keep the loop busy. Returns the code of
// the WM_QUIT that ended it. A loop inside another (a modal one) ends on
// AfxEndEventLoop too and passes the quit on to the loop around it.
int AfxRunEventLoop(const std::function<bool(MSG&)>& preTranslate = {},
                    const std::function<void()>& onIdle = {});

// How many AfxRunEventLoop calls are running now.
int AfxEventLoopDepth();

} // namespace curvix
