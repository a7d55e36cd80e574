// The main window's lifecycle under Wine: what it shows at start, the events
// before the first show, the tray, Esc and where the keyboard focus goes.
#include <gtest/gtest.h>

#include "platform/win32/popup_menus.h"
#include "platform/win32/tray_icon.h"
#include "reader/form_description.h"
#include "tests/win32/window_driver.h"

namespace qm::win32::testing {
namespace {

using N = ControlName;

TEST_F(WindowTest, StartsCentredInSearchModeWithThePlaceholder) {
    struct Case {
        N control;
        bool visible;
    };
    const Case cases[] = {
        {N::分组框1, true},         {N::编辑框搜索, true}, {N::按钮搜索, true},
        {N::单选框one, true},       {N::单选框two, true},  {N::超级列表框小说显示, true},
        {N::滑块条1, true},         {N::编辑框1, true},    {N::图形按钮1, true},
        {N::超级列表框章节, false}, {N::标签小说, false},  {N::编辑框2, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(visible(c.control), c.visible) << nameOf(c.control);
    }
    EXPECT_TRUE(form->checked(N::单选框one));
    EXPECT_FALSE(form->checked(N::单选框two));
    EXPECT_EQ(form->caption(), "Quillmere");

    RECT outer{};
    GetWindowRect(window(), &outer);
    EXPECT_EQ(outer.right - outer.left, 578);
    EXPECT_EQ(outer.bottom - outer.top, 426);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 578) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 426) / 2);
    EXPECT_EQ(GetWindowLongPtrW(window(), GWL_STYLE) & WS_THICKFRAME, 0);

    // The created event gave the focus to the window itself, so no control
    // took it and the placeholder is still there, in grey.
    EXPECT_EQ(focused(), window());
    EXPECT_EQ(form->text(N::编辑框搜索), kPlaceholderText);
    EXPECT_EQ(form->textColour(N::编辑框搜索), kPlaceholderColour);
    EXPECT_TRUE(services->trayIconShown());
    EXPECT_EQ(form->trayIcon().tip(), kTrayTipStart);

    // The window's icon from the icon group, the tray's from the icon file's
    // copy, at the size of small icons.
    EXPECT_NE(GetClassLongPtrW(window(), GCLP_HICON), 0);
    ICONINFO info{};
    ASSERT_NE(form->trayIcon().icon(), nullptr);
    ASSERT_TRUE(GetIconInfo(form->trayIcon().icon(), &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXSMICON));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(WindowTest, IsLaidOutBeforeItIsFirstShown) {
    // The layout as the first size event left it, and whether anyone could
    // see the window then.
    struct Layout {
        bool windowVisible = true;
        int w = 0, h = 0, paneLeft = 0, paneWidth = 0, paneHeight = 0, panelWidth = 0,
            panelHeight = 0, novelsHeight = 0, chaptersHeight = 0, trackbarTop = 0;
    };
    std::vector<Layout> layouts;
    afterEachEvent = [&](const RaisedEvent& e) {
        if (e.kind != "sizeChanged" || !layouts.empty()) return;
        layouts.push_back({IsWindowVisible(window()) != FALSE, form->clientWidth(),
                           form->clientHeight(), form->left(N::编辑框1), form->width(N::编辑框1),
                           form->height(N::编辑框1), form->width(N::分组框1),
                           form->height(N::分组框1), form->height(N::超级列表框小说显示),
                           form->height(N::超级列表框章节), form->top(N::滑块条1)});
    };
    reopen();
    const auto& events = recorder->events;
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0].kind, "created");
    EXPECT_EQ(events[1].kind, "positionChanged");
    EXPECT_EQ(events[2].kind, "sizeChanged");
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(events[i].windowVisible) << i;

    ASSERT_EQ(layouts.size(), 1u);
    const Layout& l = layouts[0];
    EXPECT_FALSE(l.windowVisible);
    EXPECT_GT(l.h, 300);
    EXPECT_EQ(l.w, form->clientWidth());
    EXPECT_EQ(l.paneLeft, 160);
    EXPECT_EQ(l.paneWidth, l.w - 162);
    EXPECT_EQ(l.paneHeight, l.h - 8);
    EXPECT_EQ(l.panelWidth, 160);
    EXPECT_EQ(l.panelHeight, l.h - 2);
    EXPECT_EQ(l.novelsHeight, l.h - 85);
    EXPECT_EQ(l.chaptersHeight, l.h - 85);
    EXPECT_EQ(l.trackbarTop, l.h - 30);
}

TEST_F(WindowTest, MinimisingHidesToTheTrayAndALeftClickBringsItBack) {
    const int w = form->clientWidth(), h = form->clientHeight();
    SendMessageW(window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    pumpFor(100);
    EXPECT_TRUE(IsIconic(window()));
    EXPECT_FALSE(IsWindowVisible(window()));
    EXPECT_EQ(form->trayIcon().tip(), kTrayTip);
    // The size event of the minimised window clamps the layout.
    EXPECT_EQ(form->width(N::编辑框1), 0);
    EXPECT_EQ(form->height(N::超级列表框小说显示), 0);
    EXPECT_EQ(form->top(N::滑块条1), -30);

    // The double click's own code does nothing; the release before it restores.
    SendMessageW(window(), kTrayMessage, 1, WM_LBUTTONDBLCLK);
    pumpFor(50);
    EXPECT_FALSE(IsWindowVisible(window()));
    SendMessageW(window(), kTrayMessage, 1, WM_LBUTTONUP);
    pumpFor(100);
    EXPECT_FALSE(IsIconic(window()));
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_EQ(form->width(N::编辑框1), w - 162);
    EXPECT_EQ(form->top(N::滑块条1), h - 30);

    std::vector<int> codes;
    for (const RaisedEvent& e : recorder->ofKind("trayEvent")) codes.push_back(e.code);
    EXPECT_EQ(codes, (std::vector<int>{2, 1}));
}

TEST_F(WindowTest, MaximisingEnlargesThePaneAndTheListsButNotThePanel) {
    const int w = form->clientWidth(), h = form->clientHeight();
    SendMessageW(window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    pumpFor(100);
    ASSERT_EQ(form->windowState(), kWindowMaximised);
    const int wide = form->clientWidth(), high = form->clientHeight();
    EXPECT_GT(wide, w);
    EXPECT_GT(high, h);
    EXPECT_EQ(form->width(N::编辑框1), wide - 162);
    EXPECT_EQ(form->height(N::超级列表框小说显示), high - 85);
    EXPECT_EQ(form->width(N::分组框1), 160);
    EXPECT_TRUE(IsWindowVisible(window()));  // only minimising hides it

    SendMessageW(window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    pumpFor(100);
    EXPECT_EQ(form->windowState(), kWindowNormal);
    EXPECT_EQ(form->width(N::编辑框1), w - 162);
}

// Closes the tray menu once it has been seen, and notes where it appeared.
RECT g_menuRect{};
void CALLBACK closeMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND menu = FindWindowW(L"#32768", nullptr)) GetWindowRect(menu, &g_menuRect);
    KillTimer(nullptr, timer);
    EndMenu();
}

TEST_F(WindowTest, RightClickOnTheTrayPopsUpTheMenuBesideThePointer) {
    SetCursorPos(300, 200);
    g_menuRect = RECT{};
    SetTimer(nullptr, 0, 300, &closeMenu);
    SendMessageW(window(), kTrayMessage, 1, WM_RBUTTONUP);
    pumpFor(50);
    EXPECT_EQ(g_menuRect.left, 303);
    EXPECT_EQ(g_menuRect.top, 203);
    // A cancelled menu still updates the tip; the window stays as it was.
    EXPECT_EQ(form->trayIcon().tip(), kTrayTip);
    EXPECT_TRUE(form->exists());
}

TEST_F(WindowTest, EscClosesTheWindowFromEveryControl) {
    for (N control : {N::编辑框1, N::编辑框搜索, N::超级列表框小说显示, N::滑块条1, N::按钮搜索}) {
        reopen();
        focus(control);
        ASSERT_EQ(focused(), handleOf(control)) << nameOf(control);
        pressKey(VK_ESCAPE);
        EXPECT_TRUE(pumpUntil([&] { return !form->exists(); })) << nameOf(control);
        // The control saw the key before the window went.
        const auto keys = recorder->ofKind("keyPressed");
        ASSERT_FALSE(keys.empty()) << nameOf(control);
        EXPECT_EQ(keys.front().control, control);
        EXPECT_EQ(keys.front().code, VK_ESCAPE);
    }
}

TEST_F(WindowTest, ExitCloseBoxAndAltF4EndTheWindowAndItsTrayIcon) {
    struct Case {
        const char* how;
        std::function<void()> close;
    };
    const Case cases[] = {
        {"退出", [this] { SendMessageW(window(), WM_COMMAND, commandIdOf(MenuItem::退出), 0); }},
        {"close box", [this] { SendMessageW(window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4",
         [this] {
             focus(N::编辑框1);
             pressKey(VK_F4, VK_MENU);
         }},
    };
    for (const Case& c : cases) {
        reopen();
        ASSERT_TRUE(services->trayIconShown());
        c.close();
        EXPECT_TRUE(pumpUntil([&] { return !form->exists(); })) << c.how;
        EXPECT_FALSE(services->trayIconShown()) << c.how;
    }
}

TEST_F(WindowTest, TheWindowPassesItsFocusToTheFirstControlOfThePanelsFace) {
    struct Case {
        const char* face;
        std::function<void(ReaderApp&)> arrange;
        N expected;
    };
    const Case cases[] = {
        {"chapters mode",
         [this](ReaderApp& a) {
             form->setTrackbarPosition(kChaptersMode);
             a.window().applyPanelMode();
         },
         N::滑块条1},
        {"collapsed", [](ReaderApp& a) { a.window().togglePanel(); }, N::编辑框1},
        {"search mode", [](ReaderApp&) {}, N::编辑框搜索},
    };
    for (const Case& c : cases) {
        reopen();
        c.arrange(*app);
        form->focusWindow();
        pumpFor(30);
        EXPECT_EQ(focused(), handleOf(c.expected)) << c.face;
    }
    // In search mode the box took the focus and with it lost the placeholder.
    EXPECT_EQ(form->text(N::编辑框搜索), "");
    EXPECT_EQ(form->textColour(N::编辑框搜索), kTypedTextColour);
}

TEST_F(WindowTest, TabStepsThroughTheShownTabStops) {
    SetForegroundWindow(window());
    ASSERT_EQ(focused(), window());
    // From the window itself to the first; the hidden chapter list is skipped.
    const N order[] = {N::编辑框搜索, N::按钮搜索,  N::滑块条1,   N::超级列表框小说显示,
                       N::编辑框1,    N::单选框one, N::单选框two, N::编辑框搜索};
    for (N expected : order) {
        pressKey(VK_TAB);
        EXPECT_EQ(focused(), handleOf(expected)) << nameOf(expected);
    }
    pressKey(VK_TAB, VK_SHIFT);
    EXPECT_EQ(focused(), handleOf(N::单选框two));
    // The key moved the focus and typed nothing: the box left empty got
    // its placeholder back.
    EXPECT_EQ(form->text(N::编辑框搜索), kPlaceholderText);
    EXPECT_EQ(form->text(N::编辑框1), "");
}

TEST_F(WindowTest, ReactivationGivesTheFocusBackToTheControlThatHadIt) {
    focus(N::编辑框1);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    pumpFor(50);
    ASSERT_NE(GetActiveWindow(), window());
    SetForegroundWindow(window());
    SetActiveWindow(window());
    pumpFor(50);
    EXPECT_EQ(focused(), handleOf(N::编辑框1));
    DestroyWindow(other);
}

}  // namespace
}  // namespace qm::win32::testing
