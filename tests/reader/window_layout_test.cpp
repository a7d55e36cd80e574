// The layout for the client size, and collapsing and expanding the panel.
#include "tests/reader/window_fixture.h"

namespace qm::testing {
namespace {

struct Layout {
    int paneLeft, paneWidth, paneHeight, groupHeight, listHeight, trackbarTop;
};

Layout layoutOf(const HeadlessForm& form) {
    EXPECT_EQ(form.height(N::超级列表框小说显示), form.height(N::超级列表框章节));
    return {form.left(N::编辑框1),
            form.width(N::编辑框1),
            form.height(N::编辑框1),
            form.height(N::分组框1),
            form.height(N::超级列表框小说显示),
            form.top(N::滑块条1)};
}

void expectLayout(const HeadlessForm& form, const Layout& want, const char* what) {
    const Layout got = layoutOf(form);
    EXPECT_EQ(got.paneLeft, want.paneLeft) << what;
    EXPECT_EQ(got.paneWidth, want.paneWidth) << what;
    EXPECT_EQ(got.paneHeight, want.paneHeight) << what;
    EXPECT_EQ(got.groupHeight, want.groupHeight) << what;
    EXPECT_EQ(got.listHeight, want.listHeight) << what;
    EXPECT_EQ(got.trackbarTop, want.trackbarTop) << what;
}

// What never moves: the panel's width and left, the picture button, the
// other tops.
void expectFixedParts(const HeadlessForm& form) {
    EXPECT_EQ(form.width(N::分组框1), 160);
    EXPECT_EQ(form.left(N::分组框1), 0);
    EXPECT_EQ(form.top(N::编辑框1), 6);
    EXPECT_EQ(form.top(N::超级列表框小说显示), 56);
    EXPECT_EQ(form.width(N::超级列表框章节), 148);
    EXPECT_EQ(form.left(N::滑块条1), 8);
    EXPECT_EQ(form.height(N::图形按钮1), 198);
    EXPECT_EQ(form.top(N::图形按钮1), 91);
}

TEST_F(Window, LayoutFollowsTheClientArea) {
    expectLayout(form, {160, 410, 391, 397, 314, 369}, "572 x 399 at start");
    struct Case {
        const char* what;
        int width, height;
        Layout want;
    };
    const Case cases[] = {
        {"maximised", 1000, 700, {160, 838, 692, 698, 615, 670}},
        {"too small for the pane's width and the lists", 150, 60, {160, 0, 52, 58, 0, 30}},
        {"no client area", 0, 0, {160, 0, 0, 0, 0, -30}},
    };
    for (const Case& c : cases) {
        form.maximise(c.width, c.height);
        expectLayout(form, c.want, c.what);
        expectFixedParts(form);
        form.restore();
        expectLayout(form, {160, 410, 391, 397, 314, 369}, "restored");
    }
}

TEST_F(Window, MinimisingZeroesTheSizesAndRestoringSetsThemRight) {
    form.minimise();
    expectLayout(form, {160, 0, 0, 0, 0, -30}, "minimised");
    form.trayAction(1);
    expectLayout(form, {160, 410, 391, 397, 314, 369}, "restored from the tray");
    expectFixedParts(form);
}

TEST_F(Window, CollapsingGivesThePanelsRoomToThePaneAndExpandingTakesItBack) {
    form.click(N::图形按钮1);
    EXPECT_EQ(form.changes().back(), "setWidth 编辑框1 568") << "width set last";
    expectLayout(form, {2, 568, 391, 397, 314, 369}, "collapsed");
    EXPECT_FALSE(form.shown(N::分组框1));
    EXPECT_EQ(form.left(N::图形按钮1), 0);
    EXPECT_EQ(form.normalImage(), ImageName::expandImage);
    EXPECT_EQ(form.hotImage(), ImageName::expandHotImage);
    EXPECT_EQ(visibleControls(), (std::vector<ControlName>{N::图形按钮1, N::编辑框1}));

    form.click(N::图形按钮1);
    expectLayout(form, {162, 408, 391, 397, 314, 369}, "expanded: 2 pixels right of the start");
    EXPECT_TRUE(form.shown(N::分组框1));
    EXPECT_EQ(form.left(N::图形按钮1), 1);
    EXPECT_EQ(form.normalImage(), ImageName::collapseImage);
    EXPECT_EQ(form.hotImage(), ImageName::collapseHotImage);
    expectFixedParts(form);
}

TEST_F(Window, ResizingKeepsThePaneWhereverItsLeftIs) {
    form.click(N::图形按钮1);
    form.maximise(800, 600);
    expectLayout(form, {2, 796, 592, 598, 515, 570}, "collapsed and maximised");
    form.minimise();
    form.trayAction(1);
    EXPECT_EQ(form.windowState(), kWindowMaximised) << "a restore returns to the maximised size";
    expectLayout(form, {2, 796, 592, 598, 515, 570}, "collapsed, back from the tray");
    form.restore();
    expectLayout(form, {2, 568, 391, 397, 314, 369}, "collapsed and restored");
    form.click(N::图形按钮1);
    form.maximise(800, 600);
    expectLayout(form, {162, 636, 592, 598, 515, 570}, "expanded and maximised");
}

}  // namespace
}  // namespace qm::testing
