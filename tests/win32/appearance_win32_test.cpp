// The input box, the font dialog, the screen pixel and the window's opacity
// on the real screen under Wine: the dialogs are the real ones, answered by
// scripts that type into them and press their buttons.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/appearance_services_win32.h"
#include "platform/win32/dialog_script.h"
#include "platform/win32/font_dialog.h"
#include "platform/win32/input_box.h"
#include "platform/win32/popup_menus.h"
#include "platform/win32/tray_icon.h"
#include "platform/win32/win32_text.h"
#include "reader/appearance_commands.h"
#include "reader/form_description.h"
#include "tests/win32/window_driver.h"
#include "toolkit/message_box.h"

namespace qm::win32::testing {
namespace {

// Messages for a while, the dialog's keyboard handling included.
void pumpFor(int ms, HWND dialog = nullptr) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog != nullptr && IsDialogMessageW(dialog, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

bool pumpUntil(const std::function<bool()>& condition, HWND dialog = nullptr,
               int timeoutMs = 3000) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (!condition()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
        pumpFor(10, dialog);
    }
    return true;
}

// Real key strokes into the dialog that has the keyboard focus.
void pressKey(HWND dialog, WORD virtualKey, bool control = false) {
    std::vector<INPUT> inputs;
    if (control) inputs.push_back(keyInput(VK_CONTROL, false));
    inputs.push_back(keyInput(virtualKey, false));
    inputs.push_back(keyInput(virtualKey, true));
    if (control) inputs.push_back(keyInput(VK_CONTROL, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    pumpFor(60, dialog);
}

void typeText(HWND dialog, const std::string& text) {
    for (const char c : text) {
        const SHORT key = VkKeyScanW(static_cast<wchar_t>(c));
        ASSERT_NE(key, -1) << c;
        const bool shift = (HIBYTE(key) & 1) != 0;
        std::vector<INPUT> inputs;
        if (shift) inputs.push_back(keyInput(VK_SHIFT, false));
        inputs.push_back(keyInput(LOBYTE(key), false));
        inputs.push_back(keyInput(LOBYTE(key), true));
        if (shift) inputs.push_back(keyInput(VK_SHIFT, true));
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        pumpFor(20, dialog);
    }
    pumpFor(60, dialog);
}

Text itemText(HWND dialog, int id) {
    return windowText(GetDlgItem(dialog, id));
}

void clickButton(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// A plain top-level window that owns the dialogs and ticks a timer.
class AppearanceOnScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ownerProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QmAppearanceOwner";
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassW(&windowClass);
        owner = CreateWindowExW(0, windowClass.lpszClassName, L"owner",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 240, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(owner, nullptr);
        SetForegroundWindow(owner);
        pumpFor(50);
        ticks = 0;
    }

    void TearDown() override {
        clearDialogScripts();
        if (owner != nullptr) DestroyWindow(owner);
        pumpFor(20);
    }

    static LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMER) ++ticks;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    static inline int ticks = 0;
    HWND owner = nullptr;
};

TEST_F(AppearanceOnScreen, InputBoxGivesTheAcceptedTextOrNothing) {
    struct Case {
        const char* what;
        DialogScript answer;
        std::optional<Text> result;
    };
    const Case cases[] = {
        {"text set, then the accept button",
         [](HWND box) {
             SetWindowTextW(GetDlgItem(box, kInputBoxFieldId), L"42");
             clickButton(box, IDOK);
         },
         Text("42")},
        {"the cancel button", [](HWND box) { clickButton(box, IDCANCEL); }, std::nullopt},
        // The initial text is all selected, so typing replaces it; Enter
        // presses the accept button.
        {"typed over the selection, then Enter",
         [](HWND box) {
             typeText(box, "7");
             pressKey(box, VK_RETURN);
         },
         Text("7")},
        {"Esc", [](HWND box) { pressKey(box, VK_ESCAPE); }, std::nullopt},
        {"the close box", [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); }, std::nullopt},
    };
    for (const Case& c : cases) {
        scriptNextDialog([&](HWND box) {
            SetForegroundWindow(box);
            c.answer(box);
            // A box still shown after its answer is a failure; close it. (An
            // ended dialog is hidden at once and destroyed once its loop ends.)
            pumpFor(50, box);
            if (IsWindowVisible(box)) {
                ADD_FAILURE() << c.what << ": the box stayed open";
                EndDialog(box, IDCANCEL);
            }
        });
        const std::optional<Text> result = showInputBox(owner, "prompt", "title", "100", true);
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(pendingDialogScripts(), 0) << c.what;
    }
}

// What the box shows, and that it is modal for its owner only while up:
// the owner takes no input, while its timers go on.
TEST_F(AppearanceOnScreen, InputBoxShowsItsTextsAndKeepsTheOwnerTicking) {
    SetTimer(owner, 1, 20, nullptr);
    scriptNextDialog([&](HWND box) {
        EXPECT_EQ(windowText(box), "透明度设置：");
        EXPECT_EQ(itemText(box, kInputBoxPromptId), "请输入透明度，最高为255，最低为0！");
        EXPECT_EQ(itemText(box, kInputBoxFieldId), "100");
        EXPECT_EQ(itemText(box, IDOK), "确认输入(&O)");
        EXPECT_EQ(itemText(box, IDCANCEL), "取消(&C)");
        HWND field = GetDlgItem(box, kInputBoxFieldId);
        EXPECT_EQ(GetFocus(), field);
        DWORD start = 0, end = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 3u);

        // The prompt lies above the field.
        RECT prompt{}, fieldRect{};
        GetWindowRect(GetDlgItem(box, kInputBoxPromptId), &prompt);
        GetWindowRect(field, &fieldRect);
        EXPECT_LE(prompt.bottom, fieldRect.top);

        EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
        EXPECT_FALSE(IsWindowEnabled(owner));
        const int before = ticks;
        EXPECT_TRUE(pumpUntil([&] { return ticks >= before + 3; }, box));
        clickButton(box, IDOK);
    });
    EXPECT_EQ(
        showInputBox(owner, "请输入透明度，最高为255，最低为0！", "透明度设置：", "100", true),
        std::optional<Text>("100"));
    EXPECT_TRUE(IsWindowEnabled(owner));
    KillTimer(owner, 1);
}

// Typed characters: only "-" and the digits in whole-number mode, every
// one otherwise; Backspace and the clipboard keys work in both.
TEST_F(AppearanceOnScreen, WholeNumberModeFiltersTypedCharactersOnly) {
    struct Case {
        bool wholeNumber;
        Text typed, afterBackspace, afterPaste, afterCutAndPaste;
    };
    const Case cases[] = {
        {true, "1-23", "1-2", "51-2", "51-2"},
        {false, "a1-b2.3", "a1-b2.", "5a1-b2.", "5a1-b2."},
    };
    for (const Case& c : cases) {
        const char* mode = c.wholeNumber ? "whole-number mode" : "any text";
        scriptNextDialog([&](HWND box) {
            SetForegroundWindow(box);
            pumpFor(30, box);
            typeText(box, "a1-b2.3");
            EXPECT_EQ(itemText(box, kInputBoxFieldId), c.typed) << mode;
            pressKey(box, VK_BACK);
            EXPECT_EQ(itemText(box, kInputBoxFieldId), c.afterBackspace) << mode;
            // Copy everything, type over it, paste it after.
            pressKey(box, 'A', true);
            pressKey(box, 'C', true);
            typeText(box, "5");
            EXPECT_EQ(itemText(box, kInputBoxFieldId), "5") << mode;
            pressKey(box, 'V', true);
            EXPECT_EQ(itemText(box, kInputBoxFieldId), c.afterPaste) << mode;
            // Cut everything, paste it back.
            pressKey(box, 'A', true);
            pressKey(box, 'X', true);
            EXPECT_EQ(itemText(box, kInputBoxFieldId), "") << mode;
            pressKey(box, 'V', true);
            EXPECT_EQ(itemText(box, kInputBoxFieldId), c.afterCutAndPaste) << mode;
            clickButton(box, IDOK);
        });
        EXPECT_EQ(showInputBox(owner, "prompt", "title", "100", c.wholeNumber),
                  std::optional<Text>(c.afterCutAndPaste))
            << mode;
    }
}

// A scalable face present on this machine.
Text someTrueTypeFace() {
    Text face;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM found) -> int {
            if ((type & TRUETYPE_FONTTYPE) == 0 || font->lfFaceName[0] == L'@') return 1;
            *reinterpret_cast<Text*>(found) = textOf(font->lfFaceName, lstrlenW(font->lfFaceName));
            return 0;
        },
        reinterpret_cast<LPARAM>(&face), 0);
    ReleaseDC(nullptr, screen);
    return face;
}

// The real ChooseFontW opens on the kept values; accepting replaces them
// with what the dialog shows, cancelling keeps them.
TEST_F(AppearanceOnScreen, FontDialogReplacesTheValuesOnlyWhenAccepted) {
    const Text face = someTrueTypeFace();
    ASSERT_FALSE(face.empty());
    const FontDialogValues kept{face, 12, true, true, false, false};

    for (const bool accept : {true, false}) {
        FontDialogValues values = kept;
        COLORREF colour = RGB(0, 0, 0);
        Text shownFace, shownSize;
        scriptNextDialog([&](HWND dialog) {
            shownFace = itemText(dialog, cmb1);
            shownSize = itemText(dialog, cmb3);
            // Underline and strike-out are the effects choices.
            clickButton(dialog, chx2);
            clickButton(dialog, chx1);
            pumpFor(30, dialog);
            clickButton(dialog, accept ? IDOK : IDCANCEL);
        });
        EXPECT_EQ(showFontDialog(owner, values, colour), accept);
        EXPECT_EQ(shownFace, face);
        EXPECT_EQ(shownSize, "12");
        FontDialogValues expected = kept;
        if (accept) expected.underline = expected.strikeOut = true;
        EXPECT_EQ(values.name, expected.name) << accept;
        EXPECT_EQ(values.size, expected.size) << accept;
        EXPECT_EQ(values.bold, expected.bold) << accept;
        EXPECT_EQ(values.italic, expected.italic) << accept;
        EXPECT_EQ(values.underline, expected.underline) << accept;
        EXPECT_EQ(values.strikeOut, expected.strikeOut) << accept;
    }
}

TEST(FontDialogValuesOf, TakesSizeAndStylesFromTheChosenFont) {
    LOGFONTW font{};
    lstrcpyW(font.lfFaceName, L"宋体");
    font.lfHeight = -16;
    font.lfItalic = TRUE;
    struct Case {
        LONG weight;
        int tenths;
        bool bold;
        int size;
    };
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const Case cases[] = {
        {FW_NORMAL, 120, false, 12},
        {699, 105, false, 11},
        {FW_BOLD, 95, true, 10},
        {FW_HEAVY, 0, true, MulDiv(16, 72, dpi)},  // no point size: from the height
    };
    for (const Case& c : cases) {
        font.lfWeight = c.weight;
        const FontDialogValues values = fontDialogValuesOf(font, c.tenths);
        EXPECT_EQ(values.name, "宋体");
        EXPECT_EQ(values.bold, c.bold) << c.weight;
        EXPECT_EQ(values.size, c.size) << c.tenths;
        EXPECT_TRUE(values.italic);
        EXPECT_FALSE(values.underline || values.strikeOut);
    }
}

TEST_F(AppearanceOnScreen, OpacityMakesTheWindowLayeredWithThatAlpha) {
    Win32AppearanceServices appearance([&] { return owner; });
    EXPECT_EQ(GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    for (const int alpha : {128, 0, 255, 1}) {
        appearance.setWindowOpacity(alpha);
        pumpFor(20);
        EXPECT_NE(GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
        COLORREF key = 0;
        BYTE got = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(owner, &key, &got, &flags));
        EXPECT_EQ(got, alpha);
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    }
    // With no main window there is nothing to change.
    Win32AppearanceServices windowless([] { return HWND{}; });
    windowless.setWindowOpacity(10);
}

// A pixel painted on the screen, read back under the pointer.
TEST_F(AppearanceOnScreen, PixelUnderThePointerIsReadFromTheScreen) {
    Win32AppearanceServices appearance([&] { return owner; });
    for (const COLORREF paint : {RGB(0, 0, 255), RGB(200, 100, 50), RGB(1, 2, 3)}) {
        HBRUSH brush = CreateSolidBrush(paint);
        HDC dc = GetDC(owner);
        RECT client{};
        GetClientRect(owner, &client);
        FillRect(dc, &client, brush);
        ReleaseDC(owner, dc);
        DeleteObject(brush);
        POINT middle{client.right / 2, client.bottom / 2};
        ClientToScreen(owner, &middle);
        SetCursorPos(middle.x, middle.y);
        pumpFor(20);

        const std::optional<PixelColour> pixel = appearance.pixelUnderPointer();
        ASSERT_TRUE(pixel.has_value());
        EXPECT_EQ(*pixel, (PixelColour{GetRValue(paint), GetGValue(paint), GetBValue(paint)}));
    }
}

// --- The real main window with the appearance commands wired in ---

// Picks an item of the next popup menu with the keyboard once the menu is up,
// and notes where the menu appeared.
class MenuChooser {
  public:
    static void choose(MenuName menu, MenuItem item) {
        downPresses_ = 0;
        for (const MenuEntry& entry : menuEntries(menu)) {
            if (entry.separator) continue;
            ++downPresses_;
            if (entry.item == item) break;
        }
        shown_ = false;
        timer_ = SetTimer(nullptr, 0, 100, onTick);
    }
    // A menu that never came must not take the keys of a later test's menu.
    static void stop() {
        if (timer_ != 0) KillTimer(nullptr, timer_);
        timer_ = 0;
    }
    static bool shown() { return shown_; }
    static RECT where() { return where_; }

  private:
    static void CALLBACK onTick(HWND, UINT, UINT_PTR timer, DWORD) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu == nullptr || !IsWindowVisible(menu)) return;
        KillTimer(nullptr, timer);
        timer_ = 0;
        shown_ = true;
        GetWindowRect(menu, &where_);
        std::vector<INPUT> inputs;
        for (int i = 0; i < downPresses_; ++i) {
            inputs.push_back(keyInput(VK_DOWN, false));
            inputs.push_back(keyInput(VK_DOWN, true));
        }
        inputs.push_back(keyInput(VK_RETURN, false));
        inputs.push_back(keyInput(VK_RETURN, true));
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    static inline UINT_PTR timer_ = 0;
    static inline int downPresses_ = 0;
    static inline bool shown_ = false;
    static inline RECT where_{};
};

struct ShownMessage {
    Text text;
    Text title;
};

class AppearanceInWindow : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (HasFatalFailure()) return;
        setMessageHandler([this](const Text& text, const Text& title, int) {
            shown.push_back({text, title});
        });
        appearanceServices = std::make_unique<Win32AppearanceServices>([this] { return window(); });
        appearance = std::make_unique<AppearanceCommands>(*form, *services, *appearanceServices);
        connectAppearance(*appearance, app->bindings(), app->commands());
        SetForegroundWindow(window());
        pumpFor(50);
    }

    void TearDown() override {
        clearDialogScripts();
        MenuChooser::stop();
        if (swatch != nullptr) DestroyWindow(swatch);
        WindowTest::TearDown();
        appearance.reset();
        appearanceServices.reset();
    }

    void chooseMenuItem(MenuItem item) { PostMessageW(window(), WM_COMMAND, commandIdOf(item), 0); }

    // A small top-level window of one colour on the screen.
    void paintSwatch(COLORREF colour) {
        if (swatch == nullptr) {
            swatch = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10,
                                     60, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            ASSERT_NE(swatch, nullptr);
            pumpFor(50);
        }
        HDC dc = GetDC(swatch);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, 60, 60};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(swatch, dc);
        ValidateRect(swatch, nullptr);
        pumpFor(20);
    }

    int paneBackground() const { return form->backgroundColour(ControlName::编辑框1); }

    std::vector<ShownMessage> shown;
    std::unique_ptr<Win32AppearanceServices> appearanceServices;
    std::unique_ptr<AppearanceCommands> appearance;
    HWND swatch = nullptr;
};

// The opacity typed into the real input box, asked for from the menu item.
TEST_F(AppearanceInWindow, OpacityFromTheInputBoxMakesTheMainWindowLayered) {
    scriptNextDialog([](HWND box) {
        SetForegroundWindow(box);
        typeText(box, "180");
        clickButton(box, IDOK);
    });
    chooseMenuItem(MenuItem::设置透明度);
    BYTE alpha = 0;
    DWORD flags = 0;
    const auto layered = [&] {
        COLORREF key = 0;
        return (GetWindowLongPtrW(window(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0 &&
               GetLayeredWindowAttributes(window(), &key, &alpha, &flags);
    };
    ASSERT_TRUE(pumpUntil(layered));
    EXPECT_EQ(alpha, 180);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(pendingDialogScripts(), 0);
    EXPECT_TRUE(shown.empty());
}

// Q starts picking: each tick of 时钟2 takes the pixel under the pointer; W
// stops it and the last colour stays.
TEST_F(AppearanceInWindow, PaneBackgroundFollowsThePixelUnderThePointerUntilW) {
    focus(ControlName::编辑框1);
    pressKey('Q');
    paintSwatch(RGB(0, 0, 255));
    moveMouseTo({40, 40});
    EXPECT_TRUE(pumpUntil([&] { return paneBackground() == 16711680; }))
        << "background " << paneBackground();
    paintSwatch(RGB(200, 100, 50));
    EXPECT_TRUE(pumpUntil([&] { return paneBackground() == static_cast<int>(RGB(200, 100, 50)); }))
        << "background " << paneBackground();

    focus(ControlName::编辑框1);
    pressKey('W');
    const int kept = paneBackground();
    paintSwatch(RGB(10, 200, 10));
    moveMouseTo({40, 40});
    pumpFor(400);
    EXPECT_EQ(paneBackground(), kept);
    EXPECT_EQ(kept, static_cast<int>(RGB(200, 100, 50)));
}

// The right button on the pane pops "转章节" up just off the pointer; its
// item runs its command.
TEST_F(AppearanceInWindow, PaneMenuPopsUpOnTheRightButtonAndRunsItsItems) {
    const POINT pointer = centreOf(ControlName::编辑框1);
    moveMouseTo(pointer);
    MenuChooser::choose(MenuName::转章节, MenuItem::设置文本框背景色);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, click, sizeof(INPUT));
    ASSERT_TRUE(pumpUntil([&] { return !shown.empty(); }));
    EXPECT_TRUE(MenuChooser::shown());
    EXPECT_EQ(MenuChooser::where().left, pointer.x + 3);
    EXPECT_EQ(MenuChooser::where().top, pointer.y + 3);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "提示");
    EXPECT_NE(shown[0].text.find("Q键"), Text::npos);
}

// The tray menu's 使用方法 while the window is hidden: the usage box, and the
// window stays hidden.
TEST_F(AppearanceInWindow, UsageFromTheTrayMenuWhileTheWindowIsHidden) {
    ShowWindow(window(), SW_HIDE);
    pumpFor(50);
    moveMouseTo({600, 600});
    MenuChooser::choose(MenuName::菜单, MenuItem::使用方法);
    PostMessageW(window(), kTrayMessage, 0, WM_RBUTTONUP);
    ASSERT_TRUE(pumpUntil([&] { return !shown.empty(); }));
    EXPECT_TRUE(MenuChooser::shown());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "使用方法");
    EXPECT_EQ(shown[0].text.rfind("1：", 0), 0u);
    EXPECT_FALSE(IsWindowVisible(window()));
}

}  // namespace
}  // namespace qm::win32::testing
