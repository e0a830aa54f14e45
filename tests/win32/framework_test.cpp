// The window layer under Wine: message maps, reflection, subclassing, and
// modal and modeless dialogs from a resource template.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/Handle.h"
#include "framework/Wnd.h"

namespace {

constexpr int IDD_PROBE = 500;
constexpr int IDC_PROBE_EDIT = 501;
constexpr UINT WM_PROBE = WM_APP + 1;
constexpr UINT WM_PROBE_END = WM_APP + 2;
constexpr int kButtonId = 100;
constexpr int kChildId = 200;

// A top-level window whose map records what reached it.
class ProbeWnd : public fw::CWnd {
public:
    std::vector<std::string> log;
    bool passSetText = false;

    bool Create() {
        WNDCLASSA wc{};
        wc.lpszClassName = "FrameworkProbe";
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        if (!RegisterClassFor(wc)) return false;
        return CreateEx(0, "FrameworkProbe", "probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                        nullptr, nullptr);
    }

    BEGIN_MSG_MAP(ProbeWnd)
        MESSAGE_HANDLER(WM_CREATE, OnCreate)
        MESSAGE_HANDLER(WM_PROBE, OnProbe)
        MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
        COMMAND_HANDLER_EX(kButtonId, BN_CLICKED, OnButton)
        NOTIFY_HANDLER(kChildId, NM_CLICK, OnChildClick)
    END_MSG_MAP()

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
        log.push_back("create");
        return 0;
    }
    LRESULT OnProbe(UINT, WPARAM wp, LPARAM lp, BOOL&) {
        log.push_back("probe " + std::to_string(wp) + " " + std::to_string(lp));
        return 1234;
    }
    LRESULT OnSetText(UINT, WPARAM, LPARAM lp, BOOL& handled) {
        if (passSetText) {
            handled = FALSE;  // the default procedure stores the text
            log.push_back("settext passed");
            return 0;
        }
        LRESULT result = Default();
        log.push_back("settext after default: " + GetWindowText() + " / " +
                      reinterpret_cast<const char*>(lp));
        return result;
    }
    void OnButton(UINT code, int id, HWND ctl) {
        log.push_back("button " + std::to_string(code) + " " + std::to_string(id) + " " +
                      (ctl == ::GetDlgItem(m_hWnd, kButtonId) ? "ctl" : "other"));
    }
    LRESULT OnChildClick(int id, NMHDR* nm, BOOL&) {
        log.push_back("parent click " + std::to_string(id) + " " + std::to_string(nm->idFrom));
        return 77;
    }
};

// A child control that handles its own notifications when they come back
// reflected; `consume` decides whether the parent still sees them.
class ReflectingChild : public fw::CWnd {
public:
    std::vector<std::string> log;
    bool consume = true;

    BEGIN_MSG_MAP(ReflectingChild)
        REFLECTED_NOTIFY_CODE_HANDLER(NM_CLICK, OnClick)
        MESSAGE_HANDLER(fw::OCM_DRAWITEM, OnDrawItem)
    END_MSG_MAP()

private:
    LRESULT OnClick(int, NMHDR*, BOOL& handled) {
        log.push_back("child click");
        handled = consume;
        return 55;
    }
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM lp, BOOL&) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        log.push_back(std::string("draw ") + (dis->hwndItem == m_hWnd ? "self" : "other"));
        return TRUE;
    }
};

// An edit control that refuses the letter x.
class NoXEdit : public fw::CWnd {
public:
    BEGIN_MSG_MAP(NoXEdit)
        MESSAGE_HANDLER(WM_CHAR, OnChar)
    END_MSG_MAP()

private:
    LRESULT OnChar(UINT, WPARAM wp, LPARAM, BOOL& handled) {
        handled = wp == 'x';
        return 0;
    }
};

void PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

TEST(MessageMap, MessagesReachTheirHandlersAndTheRestTheDefaultProcedure) {
    ProbeWnd wnd;
    ASSERT_TRUE(wnd.Create());
    EXPECT_EQ(wnd.log.front(), "create");  // attached before WM_CREATE

    EXPECT_EQ(wnd.SendMessage(WM_PROBE, 7, 9), 1234);
    EXPECT_EQ(wnd.log.back(), "probe 7 9");

    // Default() inside a handler runs the default procedure for that message.
    wnd.SetWindowText("first");
    EXPECT_EQ(wnd.log.back(), "settext after default: first / first");

    // A handler that leaves the message unhandled passes it on.
    wnd.passSetText = true;
    wnd.SetWindowText("second");
    EXPECT_EQ(wnd.log.back(), "settext passed");
    EXPECT_EQ(wnd.GetWindowText(), "second");

    // Unmapped messages get the default procedure's answer.
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 6);

    HWND hwnd = wnd.m_hWnd;
    EXPECT_EQ(fw::CWnd::FromHandle(hwnd), &wnd);
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);  // detached on WM_NCDESTROY
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(MessageMap, CommandsAndNotificationsFromChildrenReachTheParentMap) {
    ProbeWnd wnd;
    ASSERT_TRUE(wnd.Create());
    HWND button = ::CreateWindowA("BUTTON", "go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0,
                                  50, 20, wnd, reinterpret_cast<HMENU>(kButtonId), nullptr, nullptr);
    ASSERT_TRUE(button);
    ::SendMessageA(button, BM_CLICK, 0, 0);
    PumpPending();
    EXPECT_EQ(wnd.log.back(), "button 0 100 ctl");

    HWND child = ::CreateWindowA("STATIC", "", WS_CHILD, 0, 30, 50, 20, wnd,
                                 reinterpret_cast<HMENU>(kChildId), nullptr, nullptr);
    NMHDR nm{child, kChildId, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&nm)), 77);
    EXPECT_EQ(wnd.log.back(), "parent click 200 200");
}

TEST(MessageMap, ReflectedNotificationsReachTheChildFirst) {
    ProbeWnd wnd;
    ASSERT_TRUE(wnd.Create());
    HWND child = ::CreateWindowA("STATIC", "", WS_CHILD, 0, 30, 50, 20, wnd,
                                 reinterpret_cast<HMENU>(kChildId), nullptr, nullptr);
    ReflectingChild reflecting;
    ASSERT_TRUE(reflecting.SubclassWindow(child));
    NMHDR nm{child, kChildId, static_cast<UINT>(NM_CLICK)};

    size_t parentEntries = wnd.log.size();
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&nm)), 55);
    EXPECT_EQ(reflecting.log.back(), "child click");
    EXPECT_EQ(wnd.log.size(), parentEntries);  // consumed by the child

    reflecting.consume = false;
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&nm)), 77);
    EXPECT_EQ(reflecting.log.size(), 2u);
    EXPECT_EQ(wnd.log.back(), "parent click 200 200");
}

TEST(MessageMap, OwnerDrawnControlDrawsItselfThroughReflection) {
    ProbeWnd wnd;
    ASSERT_TRUE(wnd.Create());
    wnd.ShowWindow(SW_SHOW);
    HWND button = ::CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 40, 20,
                                  wnd, reinterpret_cast<HMENU>(kButtonId), nullptr, nullptr);
    ReflectingChild drawn;
    ASSERT_TRUE(drawn.SubclassWindow(button));
    ::InvalidateRect(button, nullptr, TRUE);
    ::UpdateWindow(button);
    ASSERT_FALSE(drawn.log.empty());
    EXPECT_EQ(drawn.log.back(), "draw self");
}

TEST(MessageMap, SubclassedControlFiltersAndCanBeGivenBack) {
    ProbeWnd wnd;
    ASSERT_TRUE(wnd.Create());
    HWND edit = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, wnd, nullptr,
                                nullptr, nullptr);
    {
        NoXEdit filter;
        ASSERT_TRUE(filter.SubclassWindow(edit));
        ::SendMessageA(edit, WM_CHAR, 'x', 0);
        ::SendMessageA(edit, WM_CHAR, 'y', 0);
        char text[16] = {};
        ::GetWindowTextA(edit, text, sizeof text);
        EXPECT_STREQ(text, "y");
    }  // the wrapper's end gives the control its own procedure back
    EXPECT_EQ(fw::CWnd::FromHandle(edit), nullptr);
    ::SendMessageA(edit, WM_CHAR, 'x', 0);
    char text[16] = {};
    ::GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "yx");
}

// Typed entries: unpacked parameters, results, and SetMsgHandled(FALSE).
class TypedWnd : public ProbeWnd {
public:
    bool passClose = false;

    BEGIN_MSG_MAP(TypedWnd)
        MSG_WM_TIMER(OnTimer)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        MSG_WM_HOTKEY(OnHotKey)
        MSG_WM_ERASEBKGND(OnEraseBkgnd)
        MSG_WM_CLOSE(OnClose)
        MSG_WM_QUERYNEWPALETTE(OnQueryNewPalette)
        CHAIN_MSG_MAP(ProbeWnd)
    END_MSG_MAP()

private:
    void OnTimer(UINT_PTR id) { log.push_back("timer " + std::to_string(id)); }
    void OnLButtonDown(UINT flags, POINT at) {
        log.push_back("down " + std::to_string(flags) + " " + std::to_string(at.x) + "," +
                      std::to_string(at.y));
    }
    void OnHotKey(int id, UINT modifiers, UINT key) {
        log.push_back("hotkey " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                      std::to_string(key));
    }
    BOOL OnEraseBkgnd(HDC) {
        // A message sent to itself meanwhile and left unhandled must not make
        // this one unhandled too.
        SendMessage(WM_QUERYNEWPALETTE);
        return 42;
    }
    void OnClose() {
        log.push_back("close");
        if (passClose) SetMsgHandled(FALSE);  // the default procedure destroys the window
    }
    BOOL OnQueryNewPalette() {
        SetMsgHandled(FALSE);
        return TRUE;
    }
};

TEST(MessageMap, TypedEntriesUnpackParametersAndCanPassMessagesOn) {
    TypedWnd wnd;
    ASSERT_TRUE(wnd.Create());
    wnd.SendMessage(WM_TIMER, 7);
    EXPECT_EQ(wnd.log.back(), "timer 7");
    // Handled, so the default procedure's 0 does not replace the answer.
    EXPECT_EQ(wnd.SendMessage(WM_ERASEBKGND), 42);
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 300));
    EXPECT_EQ(wnd.log.back(), "down 1 -5,300");
    wnd.SendMessage(WM_HOTKEY, 3, MAKELPARAM(MOD_CONTROL, VK_F9));
    EXPECT_EQ(wnd.log.back(), "hotkey 3 2 120");
    // Messages without a typed entry still reach the chained map.
    EXPECT_EQ(wnd.SendMessage(WM_PROBE, 1, 2), 1234);

    wnd.SendMessage(WM_CLOSE);
    EXPECT_TRUE(wnd.IsWindow());  // handled: nothing destroyed it
    wnd.passClose = true;
    wnd.SendMessage(WM_CLOSE);
    EXPECT_EQ(wnd.log.back(), "close");
    EXPECT_FALSE(wnd.IsWindow());
}

TEST(HandleOwner, ClosesOnceAndMovesOwnership) {
    HANDLE raw = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(raw);
    DWORD flags = 0;
    {
        fw::KernelHandle first(raw);
        fw::KernelHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), raw);
        fw::KernelHandle third;
        third = std::move(second);
        EXPECT_TRUE(::GetHandleInformation(raw, &flags));  // still open
    }
    EXPECT_FALSE(::GetHandleInformation(raw, &flags));  // closed when the last owner ended
    // INVALID_HANDLE_VALUE, what CreateFile fails with, is no handle.
    EXPECT_FALSE(fw::KernelHandle(INVALID_HANDLE_VALUE));
}

// A dialog that ends itself from its own message queue, so that the modal
// loop is really running when it ends.
class ProbeDlg : public fw::CDialog {
public:
    explicit ProbeDlg(HWND parent = nullptr) : fw::CDialog(IDD_PROBE, parent) {}
    std::vector<std::string> log;
    std::vector<MSG> toPost;  // posted once the dialog is up
    INT_PTR endWith = 42;
    bool swallowEscape = false;
    HWND notifyOnInit = nullptr;
    bool ownerWasDisabled = false;

    BEGIN_MSG_MAP(ProbeDlg)
        MESSAGE_HANDLER(WM_PROBE_END, OnEnd)
        MESSAGE_HANDLER(WM_PROBE, OnProbe)
        CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
            log.push_back("pretranslate escape");
            if (swallowEscape) return TRUE;
        }
        return fw::CDialog::PreTranslateMessage(msg);
    }

protected:
    BOOL OnInitDialog() override {
        log.push_back("init");
        if (notifyOnInit) ::SendMessageA(notifyOnInit, WM_PROBE, 1, 2);
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        ownerWasDisabled = owner && !::IsWindowEnabled(owner);
        for (MSG msg : toPost)
            ::PostMessageA(msg.hwnd ? msg.hwnd : m_hWnd, msg.message, msg.wParam, msg.lParam);
        return TRUE;
    }
    void OnCancel() override {
        log.push_back("cancel");
        fw::CDialog::OnCancel();
    }

private:
    LRESULT OnEnd(UINT, WPARAM, LPARAM, BOOL&) {
        EndDialog(endWith);
        return 0;
    }
    LRESULT OnProbe(UINT, WPARAM wp, LPARAM lp, BOOL&) {
        log.push_back("probe " + std::to_string(wp) + " " + std::to_string(lp));
        return 0;
    }
};

MSG Posted(UINT message, WPARAM wp = 0, LPARAM lp = 0) {
    MSG msg{};
    msg.message = message;
    msg.wParam = wp;
    msg.lParam = lp;
    return msg;
}

TEST(Dialog, ModalDialogEndsWithItsResultAndIsDestroyed) {
    ProbeDlg dlg;
    dlg.toPost = {Posted(WM_PROBE_END)};
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(dlg.log.front(), "init");
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, ModalLoopOffersKeysToPreTranslateMessage) {
    // Escape reaches the dialog's keyboard handling as Cancel...
    ProbeDlg plain;
    plain.toPost = {Posted(WM_KEYDOWN, VK_ESCAPE), Posted(WM_PROBE_END)};
    EXPECT_EQ(plain.DoModal(), IDCANCEL);
    EXPECT_EQ(plain.log.back(), "cancel");

    // ...unless PreTranslateMessage swallows it.
    ProbeDlg filtering;
    filtering.swallowEscape = true;
    filtering.toPost = {Posted(WM_KEYDOWN, VK_ESCAPE), Posted(WM_PROBE_END)};
    EXPECT_EQ(filtering.DoModal(), 42);
    EXPECT_EQ(filtering.log.back(), "pretranslate escape");
}

TEST(Dialog, QuitMessageEndsTheModalLoopAndIsPassedOn) {
    ProbeDlg dlg;
    dlg.toPost = {Posted(WM_QUIT, 3)};
    EXPECT_EQ(dlg.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(Dialog, ModelessDialogLivesBesideAModalOne) {
    ProbeDlg modeless;
    ASSERT_TRUE(modeless.Create());
    EXPECT_FALSE(modeless.IsModal());
    EXPECT_EQ(modeless.log.front(), "init");

    ProbeDlg modal(modeless.m_hWnd);
    modal.notifyOnInit = modeless.m_hWnd;
    modal.toPost = {Posted(WM_PROBE_END)};
    EXPECT_EQ(modal.DoModal(), 42);
    EXPECT_TRUE(modal.ownerWasDisabled);  // the owner waits while the modal dialog runs
    EXPECT_EQ(modeless.log.back(), "probe 1 2");
    EXPECT_TRUE(modeless.IsWindow());
    EXPECT_TRUE(::IsWindowEnabled(modeless));

    // Keys typed into the modeless dialog are handled as in any dialog.
    MSG key{modeless.GetDlgItem(IDC_PROBE_EDIT), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(fw::WalkPreTranslateTree(modeless, &key));
    EXPECT_EQ(modeless.log.back(), "cancel");
    EXPECT_TRUE(modeless.IsWindow());  // a modeless dialog ends by DestroyWindow only

    HWND gone = modeless.m_hWnd;
    modeless.DestroyWindow();
    EXPECT_FALSE(::IsWindow(gone));
}

}  // namespace
