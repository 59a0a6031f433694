#pragma once

#include "AfxRes.h"

#include <functional>
#include <string>
#include <vector>

// Command targets and message maps, free of any window system so that the
// document layer can be a command target too.
//
// A message map is a static table of entries, each binding a message (or a
// command ID range with a notification code) to a handler thunk, plus a
// link to the base class's map. Lookup walks from the most derived map to
// the base maps; the first entry that matches handles the message.

namespace curvix {

class CCmdTarget;
class CCmdUI;

// Every handler is reached through a thunk that casts the target back to
// the class whose map holds the entry and calls the bound member.
using AFX_PMSGFN = long (*)(CCmdTarget* target, UINT nID, void* pExtra);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // WM_COMMAND for commands, a window message otherwise, 0 ends the table
    int nCode;     // CN_COMMAND or CN_UPDATE_COMMAND_UI for WM_COMMAND entries
    UINT nID;
    UINT nLastID;
    AFX_PMSGFN pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled instead of calling the handler when a caller only asks whether
// one exists (the enable rule does this).
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
    AFX_PMSGFN pfn = nullptr;
};

inline const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT nMessage, int nCode,
                                                   UINT nID) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e != nullptr && e->nMessage != 0; ++e) {
            if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Looks the command up in this object's map. With pHandlerInfo the
    // handler is only reported, not called. Classes that route further
    // (view to document, frame to view and application) override this.
    virtual bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
        const AFX_MSGMAP_ENTRY* entry =
            AfxFindMessageEntry(GetMessageMap(), WM_COMMAND, nCode, nID);
        if (entry == nullptr)
            return false;
        if (pHandlerInfo != nullptr) {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pfn = entry->pfn;
            return true;
        }
        entry->pfn(this, nID, pExtra);
        return true;
    }

protected:
    static const AFX_MSGMAP* GetThisMessageMap() {
        static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
        static const AFX_MSGMAP map = {nullptr, &entries[0]};
        return &map;
    }
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
};

inline constexpr UINT kMaxMenuListItems = 16;

// The state of one user-interface element (menu item, toolbar button,
// dialog-bar control) that a command updates.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(bool bOn = true) {
        m_bEnabled = bOn;
        m_bEnableChanged = true;
    }
    // Only elements that can show a check mark do anything with it.
    virtual void SetCheck(int /*nCheck*/ = 1) {}
    // A menu item can stand for a list that grows: it takes the first text,
    // and items for the others follow it, each sending its command
    // (m_nID + 1, m_nID + 2, ..., fewer than kMaxMenuListItems in all)
    // through sendCommand. Other elements ignore it.
    virtual void SetMenuItems(const std::vector<std::string>& /*texts*/,
                              const std::function<void(UINT)>& /*sendCommand*/) {}

    // The enable rule: an update handler on the route decides; without
    // one, the element is enabled exactly when the command has a handler
    // somewhere on the route.
    bool DoUpdate(CCmdTarget* pTarget, bool bDisableIfNoHandler) {
        m_bEnableChanged = false;
        if (pTarget == nullptr)
            return false;
        if (pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr))
            return true;
        if (bDisableIfNoHandler && !m_bEnableChanged) {
            AFX_CMDHANDLERINFO info;
            Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
        }
        return false;
    }

    UINT m_nID = 0;
    bool m_bEnabled = true;

protected:
    bool m_bEnableChanged = false;
};

// The application object registers itself here; frames route commands to
// it last.
inline CCmdTarget*& AfxAppCmdTargetSlot() {
    static CCmdTarget* app = nullptr;
    return app;
}
inline CCmdTarget* AfxGetAppCmdTarget() {
    return AfxAppCmdTargetSlot();
}
inline void AfxSetAppCmdTarget(CCmdTarget* app) {
    AfxAppCmdTargetSlot() = app;
}

} // namespace curvix

// Message map declaration and definition, used as in:
//   class CMyDoc : public CCmdTarget { ... DECLARE_MESSAGE_MAP() };
//   BEGIN_MESSAGE_MAP(CMyDoc, CCmdTarget)
//       ON_COMMAND(ID_FOO, &CMyDoc::OnFoo)
//   END_MESSAGE_MAP()

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const ::curvix::AFX_MSGMAP* GetThisMessageMap();                                        \
    const ::curvix::AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const ::curvix::AFX_MSGMAP* theClass::GetMessageMap() const {                                  \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const ::curvix::AFX_MSGMAP* theClass::GetThisMessageMap() {                                    \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const ::curvix::AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const ::curvix::AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,              \
                                                    &messageEntries[0]};                           \
    return &messageMap;                                                                            \
    }

#define ON_COMMAND(id, memberFxn)                                                                  \
    {::curvix::WM_COMMAND, ::curvix::CN_COMMAND, (id), (id),                                       \
     [](::curvix::CCmdTarget* target, ::curvix::UINT, void*) -> long {                             \
         (static_cast<ThisClass*>(target)->*(memberFxn))();                                        \
         return 0;                                                                                 \
     }},

#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {::curvix::WM_COMMAND, ::curvix::CN_COMMAND, (id), (idLast),                                   \
     [](::curvix::CCmdTarget* target, ::curvix::UINT nID, void*) -> long {                         \
         (static_cast<ThisClass*>(target)->*(memberFxn))(nID);                                     \
         return 0;                                                                                 \
     }},

#define ON_UPDATE_COMMAND_UI(id, memberFxn) ON_UPDATE_COMMAND_UI_RANGE(id, id, memberFxn)

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                          \
    {::curvix::WM_COMMAND, ::curvix::CN_UPDATE_COMMAND_UI, (id), (idLast),                         \
     [](::curvix::CCmdTarget* target, ::curvix::UINT, void* pExtra) -> long {                      \
         (static_cast<ThisClass*>(target)->*(memberFxn))(static_cast<::curvix::CCmdUI*>(pExtra));  \
         return 0;                                                                                 \
     }},
