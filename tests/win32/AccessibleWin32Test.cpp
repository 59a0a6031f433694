// What screen readers learn of the frame through Active Accessibility:
// the names the Linux program gives its view, panes, formula field and
// buttons, and the panes' texts and places.

#include "Resource.h"
#include "Win32App.h"
#include "WinSystem.h"

#include <gtest/gtest.h>
#include <oleacc.h>

namespace curvix::test {
namespace {

VARIANT Child(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// A window's client object, as a screen reader gets it.
struct ClientObject {
    explicit ClientObject(::HWND window) {
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object));
    }
    ~ClientObject() {
        if (object != nullptr)
            object->Release();
    }
    ClientObject(const ClientObject&) = delete;
    ClientObject& operator=(const ClientObject&) = delete;

    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                     LONG child) const {
        BSTR text = nullptr;
        if (object == nullptr || (object->*get)(Child(child), &text) != S_OK || text == nullptr)
            return "(none)";
        std::string utf8 = Utf8FromWide(text);
        SysFreeString(text);
        return utf8;
    }
    std::string Name(LONG child = CHILDID_SELF) const {
        return Text(&IAccessible::get_accName, child);
    }
    std::string Value(LONG child) const { return Text(&IAccessible::get_accValue, child); }

    IAccessible* object = nullptr;
};

class Accessible : public ::testing::Test {
protected:
    void SetUp() override {
        ForgetSettings();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        app = std::make_unique<RunningApp>();
        ASSERT_TRUE(app->started);
    }
    void TearDown() override {
        app.reset();
        ForgetSettings();
    }

public:
    ::HWND StatusControl() const {
        return FindWindowExW(app->StatusBar(), nullptr, STATUSCLASSNAMEW, nullptr);
    }

    std::unique_ptr<RunningApp> app;
};

TEST_F(Accessible, TheViewTheFormulaBarAndThePanesHaveTheLinuxProgramsNames) {
    struct Row {
        const char* what;
        std::function<::HWND(const Accessible&)> window;
        LONG child;
        const char* name;
    };
    const Row rows[] = {
        {"view", [](const Accessible& t) { return t.app->ViewWindow(); }, CHILDID_SELF, "Plot"},
        {"message pane", [](const Accessible& t) { return t.StatusControl(); }, 1, "Message"},
        {"size pane", [](const Accessible& t) { return t.StatusControl(); }, 2, "View Size"},
        {"Draw!",
         [](const Accessible& t) { return t.app->FormulaItem(static_cast<int>(IDC_DRAW)); },
         CHILDID_SELF, "Draw!"},
    };
    for (const Row& row : rows) {
        const ClientObject object(row.window(*this));
        ASSERT_NE(object.object, nullptr) << row.what;
        EXPECT_EQ(object.Name(row.child), row.name) << row.what;
    }
}

TEST_F(Accessible, ThePanesAreChildrenWithTheirTextsAndPlaces) {
    ::HWND control = StatusControl();
    const ClientObject status(control);
    ASSERT_NE(status.object, nullptr);
    LONG count = 0;
    EXPECT_EQ(status.object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(status.Value(1), "Ready");
    EXPECT_EQ(status.Value(2), app->Pane(1));
    app->Frame()->ShowViewSize(1000, 400);
    EXPECT_EQ(status.Value(2), "1000x400");
    // Beyond the panes there is nothing.
    EXPECT_EQ(status.Name(3), "(none)");

    VARIANT role;
    ASSERT_EQ(status.object->get_accRole(Child(2), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_STATICTEXT);
    // The size pane lies inside the control, right of the message pane,
    // and a point in it finds it.
    LONG left = 0;
    LONG top = 0;
    LONG width = 0;
    LONG height = 0;
    ASSERT_EQ(status.object->accLocation(&left, &top, &width, &height, Child(2)), S_OK);
    RECT bar{};
    GetWindowRect(control, &bar);
    EXPECT_GT(left, bar.left + (bar.right - bar.left) / 2);
    EXPECT_LE(left + width, bar.right);
    EXPECT_GE(top, bar.top);
    EXPECT_LE(top + height, bar.bottom);
    VARIANT hit;
    VariantInit(&hit);
    ASSERT_EQ(status.object->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, 2);
    VARIANT next;
    VariantInit(&next);
    ASSERT_EQ(status.object->accNavigate(NAVDIR_NEXT, Child(1), &next), S_OK);
    EXPECT_EQ(next.lVal, 2);
    EXPECT_EQ(status.object->accNavigate(NAVDIR_NEXT, Child(2), &next), S_FALSE);
}

TEST_F(Accessible, TheViewsObjectGoesWithItsWindow) {
    ClientObject view(app->ViewWindow());
    ASSERT_NE(view.object, nullptr);
    app.reset();
    BSTR name = nullptr;
    EXPECT_TRUE(FAILED(view.object->get_accName(Child(CHILDID_SELF), &name)));
    EXPECT_EQ(name, nullptr);
}

} // namespace
} // namespace curvix::test
