#include "AccessibleWin.h"

#include "WinSystem.h"

#include <oleacc.h>

// The interface's identifier from its declaration: the import library's
// IID_IAccessible names the DLL's data through a code thunk.

namespace curvix {

namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT Text(const std::string& text, BSTR* out) {
    if (out == nullptr)
        return E_POINTER;
    *out = SysAllocString(WideFromUtf8(text).c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT Nothing(BSTR* out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    return S_FALSE;
}

HRESULT Number(LONG value, VARIANT* out) {
    if (out == nullptr)
        return E_POINTER;
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

// The window's client object: the system's own, with the names and parts
// the window describes. Parts are simple children, numbered from 1.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(::HWND hWnd, AccessibleDescriber describe, IAccessible* standard)
        : m_hWnd(hWnd), m_describe(describe), m_standard(standard) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, __uuidof(IAccessible))) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = --m_references;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: the system's object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return m_standard->GetIDsOfNames(riid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return m_standard->Invoke(id, riid, locale, flags, parameters, result, exception,
                                  argumentError);
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        AccessibleInfo info;
        if (!Describe(info))
            return E_FAIL;
        if (info.parts.empty())
            return m_standard->get_accChildCount(count);
        if (count == nullptr)
            return E_POINTER;
        *count = static_cast<LONG>(info.parts.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        AccessibleInfo info;
        if (!Describe(info))
            return E_FAIL;
        if (info.parts.empty())
            return m_standard->get_accChild(child, object);
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        return Part(info, child) != nullptr ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        AccessibleInfo info;
        if (!Describe(info))
            return E_FAIL;
        if (IsSelf(child))
            return info.name.empty() ? m_standard->get_accName(child, name) : Text(info.name, name);
        const AccessiblePart* part = Part(info, child);
        return part != nullptr ? Text(part->name, name) : m_standard->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        AccessibleInfo info;
        if (!Describe(info))
            return E_FAIL;
        const AccessiblePart* part = IsSelf(child) ? nullptr : Part(info, child);
        return part != nullptr ? Text(part->value, value) : m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return OnPart(child) ? Nothing(text) : m_standard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return OnPart(child) ? Number(ROLE_SYSTEM_STATICTEXT, role)
                             : m_standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return OnPart(child) ? Number(STATE_SYSTEM_READONLY, state)
                             : m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return OnPart(child) ? Nothing(help) : m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        if (!OnPart(child))
            return m_standard->get_accHelpTopic(file, child, topic);
        if (topic != nullptr)
            *topic = 0;
        return Nothing(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return OnPart(child) ? Nothing(keys) : m_standard->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return m_standard->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return m_standard->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return OnPart(child) ? Nothing(action) : m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return OnPart(child) ? DISP_E_MEMBERNOTFOUND : m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        AccessibleInfo info;
        if (!Describe(info))
            return E_FAIL;
        const AccessiblePart* part = IsSelf(child) ? nullptr : Part(info, child);
        if (part == nullptr)
            return m_standard->accLocation(left, top, width, height, child);
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
            return E_POINTER;
        POINT corner{part->rect.left, part->rect.top};
        ClientToScreen(m_hWnd, &corner);
        *left = corner.x;
        *top = corner.y;
        *width = part->rect.right - part->rect.left;
        *height = part->rect.bottom - part->rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        AccessibleInfo info;
        if (!Describe(info))
            return E_FAIL;
        const auto count = static_cast<LONG>(info.parts.size());
        if (count == 0 ||
            (IsSelf(start) && direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD))
            return m_standard->accNavigate(direction, start, end);
        if (end == nullptr)
            return E_POINTER;
        VariantInit(end);
        LONG to = 0;
        if (IsSelf(start)) {
            to = direction == NAVDIR_FIRSTCHILD ? 1 : count;
        } else if (Part(info, start) == nullptr) {
            return E_INVALIDARG;
        } else if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT) {
            to = start.lVal + 1;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT) {
            to = start.lVal - 1;
        }
        return to >= 1 && to <= count ? Number(to, end) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        AccessibleInfo info;
        if (!Describe(info))
            return E_FAIL;
        const HRESULT result = m_standard->accHitTest(x, y, hit);
        if (info.parts.empty() || result != S_OK || hit == nullptr || !IsSelf(*hit))
            return result;
        POINT point{x, y};
        ScreenToClient(m_hWnd, &point);
        for (size_t i = 0; i < info.parts.size(); ++i) {
            if (PtInRect(&info.parts[i].rect, point))
                return Number(static_cast<LONG>(i + 1), hit);
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return OnPart(child) ? DISP_E_MEMBERNOTFOUND : m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~NamedAccessible() { m_standard->Release(); }

    bool Describe(AccessibleInfo& info) const {
        return IsWindow(m_hWnd) && m_describe(m_hWnd, info);
    }

    static const AccessiblePart* Part(const AccessibleInfo& info, const VARIANT& child) {
        if (child.vt != VT_I4 || child.lVal < 1 ||
            child.lVal > static_cast<LONG>(info.parts.size()))
            return nullptr;
        return &info.parts[static_cast<size_t>(child.lVal - 1)];
    }

    bool OnPart(const VARIANT& child) const {
        AccessibleInfo info;
        return !IsSelf(child) && Describe(info) && Part(info, child) != nullptr;
    }

    LONG m_references = 1;
    ::HWND m_hWnd;
    AccessibleDescriber m_describe;
    IAccessible* m_standard; // owned: one reference
};

} // namespace

bool AfxAnswerGetObject(::HWND hWnd, WPARAM wParam, LPARAM lParam, AccessibleDescriber describe,
                        LRESULT& result) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || describe == nullptr)
        return false;
    // The object goes to the asking program through COM.
    static const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    (void)com;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(hWnd, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))) ||
        standard == nullptr)
        return false;
    auto* object = new NamedAccessible(hWnd, describe, standard);
    const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    if (FAILED(answer))
        return false;
    result = answer;
    return true;
}

} // namespace curvix
