// The left panel under Wine: the trackbar's faces and tooltip, the panel
// timer, the picture button, and the search box's placeholder.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/win32/win32_text.h"
#include "reader/form_description.h"
#include "tests/win32/window_driver.h"

namespace qm::win32::testing {
namespace {

using N = ControlName;

void expectFace(bool chapters, const std::function<bool(N)>& visible) {
    for (N control :
         {N::编辑框搜索, N::按钮搜索, N::超级列表框小说显示, N::单选框one, N::单选框two}) {
        EXPECT_EQ(visible(control), !chapters) << nameOf(control);
    }
    for (N control : {N::超级列表框章节, N::标签小说}) {
        EXPECT_EQ(visible(control), chapters) << nameOf(control);
    }
}

TEST_F(WindowTest, TrackbarKeysSwitchThePanelWithOneEventEach) {
    const auto isVisible = [this](N c) { return visible(c); };
    EXPECT_EQ(form->modeTooltip().handle(), nullptr);  // no mode applied yet
    focus(N::滑块条1);

    pressKey(VK_RIGHT);
    auto moves = recorder->ofKind("trackbarMoved");
    ASSERT_EQ(moves.size(), 1u);  // the end of tracking raises nothing
    EXPECT_EQ(moves[0].code, kChaptersMode);
    expectFace(true, isVisible);
    ASSERT_NE(form->modeTooltip().handle(), nullptr);
    EXPECT_EQ(form->modeTooltip().text(), kChaptersModeTip);

    pressKey(VK_LEFT);
    moves = recorder->ofKind("trackbarMoved");
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[1].code, kSearchMode);
    expectFace(false, isVisible);
    EXPECT_EQ(form->modeTooltip().text(), kSearchModeTip);

    // A click in the channel beside the thumb steps it once, with one event.
    RECT channel{}, thumb{};
    SendMessageW(handleOf(N::滑块条1), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    SendMessageW(handleOf(N::滑块条1), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    clickAt(screenPoint(N::滑块条1, channel.right - 4, (thumb.top + thumb.bottom) / 2));
    moves = recorder->ofKind("trackbarMoved");
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[2].code, kChaptersMode);
    expectFace(true, isVisible);
    pressKey(VK_LEFT);
    ASSERT_EQ(recorder->ofKind("trackbarMoved").size(), 4u);

    // A position set by the program raises nothing and shows nothing new.
    form->setTrackbarPosition(kChaptersMode);
    pumpFor(50);
    EXPECT_EQ(recorder->ofKind("trackbarMoved").size(), 4u);
    expectFace(false, isVisible);
}

TEST_F(WindowTest, ThePanelTimerAppliesTheModeTheTrackbarShows) {
    form->setTrackbarPosition(kChaptersMode);
    form->setTimerPeriod(N::时钟1, 10);
    EXPECT_TRUE(pumpUntil([this] { return visible(N::超级列表框章节); }));
    EXPECT_FALSE(visible(N::超级列表框小说显示));

    form->setTimerPeriod(N::时钟1, 0);
    EXPECT_EQ(form->timerPeriod(N::时钟1), 0);
    pumpFor(30);
    const std::size_t ticks = recorder->ofKind("tick").size();
    EXPECT_GE(ticks, 1u);
    pumpFor(100);
    EXPECT_EQ(recorder->ofKind("tick").size(), ticks);
}

// How blue the screen is at a point: the hot strip is blue, the normal one grey.
int blueness(POINT at) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return static_cast<int>(GetBValue(colour)) - static_cast<int>(GetRValue(colour));
}

TEST_F(WindowTest, ThePictureButtonCollapsesAndExpandsThePanel) {
    const int w = form->clientWidth();
    // Above the triangle, where the strip shows its own colour.
    const auto onStrip = [this] { return screenPoint(N::图形按钮1, 1, 40); };
    // Hot tracking notices the pointer leaving a little later.
    const auto drawnNormal = [&] {
        return pumpUntil([&] { return blueness(onStrip()) < 20; }, 1500);
    };
    const auto drawnHot = [&] { return pumpUntil([&] { return blueness(onStrip()) > 60; }, 1500); };
    moveMouseTo(centreOf(N::编辑框1));
    EXPECT_TRUE(drawnNormal());

    clickAt(onStrip());
    EXPECT_EQ(recorder->ofKind("clicked").size(), 1u);
    EXPECT_FALSE(visible(N::分组框1));
    EXPECT_FALSE(visible(N::超级列表框小说显示));
    EXPECT_EQ(form->left(N::图形按钮1), 0);
    EXPECT_EQ(form->left(N::编辑框1), 2);
    EXPECT_EQ(form->width(N::编辑框1), w - 4);
    EXPECT_EQ(form->normalImage(), ImageName::expandImage);
    EXPECT_EQ(form->hotImage(), ImageName::expandHotImage);
    // The pointer rests on the button: it shows its hot strip.
    EXPECT_TRUE(drawnHot());

    clickAt(onStrip());
    EXPECT_TRUE(visible(N::分组框1));
    EXPECT_TRUE(visible(N::超级列表框小说显示));  // its own state survived the collapse
    EXPECT_EQ(form->left(N::图形按钮1), 1);
    EXPECT_EQ(form->left(N::编辑框1), 162);
    EXPECT_EQ(form->width(N::编辑框1), w - 164);
    EXPECT_EQ(form->normalImage(), ImageName::collapseImage);

    // Away from the button it is drawn normal again.
    moveMouseTo(centreOf(N::编辑框1));
    EXPECT_TRUE(drawnNormal());
}

TEST_F(WindowTest, TheSearchBoxPlaceholderComesAndGoesWithTheFocus) {
    clickAt(centreOf(N::编辑框搜索));
    EXPECT_EQ(focused(), handleOf(N::编辑框搜索));
    EXPECT_EQ(form->text(N::编辑框搜索), "");
    EXPECT_EQ(form->textColour(N::编辑框搜索), kTypedTextColour);

    clickAt(centreOf(N::编辑框1));  // leaving it empty brings the placeholder back
    EXPECT_EQ(form->text(N::编辑框搜索), kPlaceholderText);
    EXPECT_EQ(form->textColour(N::编辑框搜索), kPlaceholderColour);

    clickAt(centreOf(N::编辑框搜索));
    pressKey('A');
    pressKey(VK_SPACE);
    clickAt(centreOf(N::编辑框1));  // typed text stays, in black
    EXPECT_EQ(form->text(N::编辑框搜索), "a ");
    EXPECT_EQ(form->textColour(N::编辑框搜索), kTypedTextColour);

    std::vector<std::string> focusEvents;
    for (const RaisedEvent& e : recorder->events) {
        if (e.control == N::编辑框搜索 && (e.kind == "gotFocus" || e.kind == "lostFocus")) {
            focusEvents.push_back(e.kind);
        }
    }
    EXPECT_EQ(focusEvents,
              (std::vector<std::string>{"gotFocus", "lostFocus", "gotFocus", "lostFocus"}));
}

TEST_F(WindowTest, TheReadingPaneDrawsChineseInItsKaiFace) {
    HWND pane = handleOf(N::编辑框1);
    auto* font = reinterpret_cast<HFONT>(SendMessageW(pane, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW logFont{};
    GetObjectW(font, sizeof(logFont), &logFont);
    EXPECT_EQ(textOf(logFont.lfFaceName, static_cast<int>(wcslen(logFont.lfFaceName))),
              "楷体_GB2312");
    EXPECT_EQ(logFont.lfHeight, -24);
    EXPECT_EQ(logFont.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(logFont.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);

    // The face the system gives for it draws the characters 24 pixels high.
    HDC dc = GetDC(pane);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"风起云涌", 4, &extent);
    SelectObject(dc, old);
    ReleaseDC(pane, dc);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 24);
    EXPECT_GE(extent.cx, 4 * 20);

    form->setText(N::编辑框1, "第一章 风起云涌\r\n天色渐暗，山门之外，一个少年背着竹篓走来。");
    form->setText(N::标签小说, "小说: 山海行 的全部章节");
    TextTable& novels = form->table(N::超级列表框小说显示);
    const int row = novels.appendRow();
    novels.setCell(row, 0, "1");
    novels.setCell(row, 1, "山海行");
    pumpFor(100);
    EXPECT_EQ(form->text(N::编辑框1),
              "第一章 风起云涌\r\n天色渐暗，山门之外，一个少年背着竹篓走来。");
}

}  // namespace
}  // namespace qm::win32::testing
