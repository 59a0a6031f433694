#pragma once

#include "CmdTarget.h"

#include <climits>
#include <functional>
#include <string>

// Window creation data shared by frames, views and bars.

namespace curvix {

class CDocument;
class CView;

using BOOL = int;
inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;
inline constexpr int CW_USEDEFAULT = INT_MIN;

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    int cy = CW_USEDEFAULT;
    int cx = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int x = CW_USEDEFAULT;
    // Set to the frame's default style and not read afterwards: a Qt main
    // window always has its caption, frame and the document's title.
    DWORD style = 0;
    std::string lpszName;
};
using LPCREATESTRUCT = CREATESTRUCT*;

// What a frame needs to create its view: how to make the view object and
// which document it shows.
struct CCreateContext {
    std::function<CView*()> m_pNewViewClass;
    CDocument* m_pCurrentDoc = nullptr;
};

} // namespace curvix

// WM_CREATE binds to the OnCreate(LPCREATESTRUCT) of the class whose map
// holds the entry; -1 fails the creation.
#define ON_WM_CREATE()                                                                             \
    {::curvix::WM_CREATE, 0, 0, 0,                                                                 \
     [](::curvix::CCmdTarget* target, ::curvix::UINT, void* pExtra) -> long {                      \
         return static_cast<ThisClass*>(target)->ThisClass::OnCreate(                              \
             static_cast<::curvix::LPCREATESTRUCT>(pExtra));                                       \
     }},
