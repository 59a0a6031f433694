#pragma once

#include "CmdTarget.h"

#include <climits>
#include <functional>
#include <string>

// Windows: the handle, geometry types, and the creation data shared by
// frames, views and bars.

namespace curvix {

// A window of the window system, opaque here; each window system's files
// say what it stands for.
struct CWndHandle;
using HWND = CWndHandle*;

struct CPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CPoint&) const = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const CSize&) const = default;
};

// Right and bottom lie just outside the rectangle.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    bool operator==(const CRect&) const = default;
};

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;

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

// A window object: the handle of its window, made by the class's Create
// and destroyed with the object, and what every window can do.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Destroys the window if the derived class has not.
    ~CWnd() override;

    // The window, or null before it is made.
    HWND GetSafeHwnd() const { return m_hWnd; }

    void ShowWindow(int nCmdShow);
    // Shown, and not hidden by the user or the program; for a child, its
    // own state, whether or not its parent is shown.
    bool IsWindowVisible() const;
    // Repaints the whole window from the event loop.
    void Invalidate();
    void SetFocus();
    // Caption, title or text, as UTF-8.
    virtual void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    // The window's inside, at (0, 0), in the window system's logical units.
    CRect GetClientRect() const;
    // Destroys the window and its children; the object stays.
    void DestroyWindow();

protected:
    HWND m_hWnd = nullptr;
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
