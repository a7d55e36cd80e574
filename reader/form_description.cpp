#include "reader/form_description.h"

#include <algorithm>

namespace qm {

namespace {

using N = ControlName;
using T = ControlType;
constexpr int D = kDefaultColour;

// Geometry-less controls (dialog, timers) are never shown and take no focus.
ControlSpec invisible(N name, T type, bool insideGroupBox) {
    return {name, type, insideGroupBox, 0,     0,     0,     0,    false, false, Text(),
            D,    D,    false,          false, false, false, false};
}

std::vector<ControlSpec> buildControls() {
    // clang-format off
    return {
        // name                   type            group  left top  wid  hgt  shown  tab    caption   text    background       sunken centre multi  ro     checked
        invisible(N::通用对话框1, T::fontDialog, false),
        {N::单选框two,          T::radioButton,   true,   94,  38,  56,  18, true,  true,  "TWO",    D,      D,               false, false, false, false, false},
        {N::单选框one,          T::radioButton,   true,   15,  38,  56,  18, true,  true,  "ONE",    D,      D,               false, false, false, false, true},
        invisible(N::时钟2, T::timer, false),
        {N::编辑框2,            T::editBox,       true,   16,  16,  32,  20, false, true,  "",       kBlack, kWhite,          true,  false, false, false, false},
        invisible(N::时钟1, T::timer, true),
        {N::标签小说,           T::label,         true,    8,  16, 148,  40, false, false, "",       kBlack, D,               false, true,  false, false, false},
        {N::超级列表框章节,     T::listView,      true,    8,  56, 148, 296, false, true,  "",       kBlack, kSearchGreen,    true,  false, false, false, false},
        {N::图形按钮1,          T::pictureButton, false,   1,  91,   6, 198, true,  false, "",       D,      D,               false, false, false, false, false},
        {N::编辑框1,            T::editBox,       false, 160,   6, 411, 372, true,  true,  "",       kBlack, kPaneBackground, true,  false, true,  true,  false},
        {N::超级列表框小说显示, T::listView,      true,    8,  56, 148, 296, true,  true,  "",       kBlack, kSearchGreen,    true,  false, false, false, false},
        {N::滑块条1,            T::trackbar,      true,    8, 348, 148,  24, true,  true,  "",       D,      D,               false, false, false, false, false},
        {N::按钮搜索,           T::pushButton,    true,  115,  16,  40,  20, true,  true,  "搜索",   D,      D,               false, true,  false, false, false},
        {N::编辑框搜索,         T::editBox,       true,    8,  16, 104,  20, true,  true,  "",       kBlack, kSearchGreen,    true,  true,  false, false, false},
        {N::分组框1,            T::groupBox,      false,   0,   0, 160, 378, true,  false, "功能区", kBlack, D,               false, true,  false, false, false},
    };
    // clang-format on
}

std::vector<MenuEntry> buildMenu(MenuName menu) {
    const auto item = [](MenuItem i, const char* text) { return MenuEntry{false, i, text}; };
    const MenuEntry separator{true, MenuItem::使用方法, Text()};
    if (menu == MenuName::菜单) {
        return {item(MenuItem::使用方法, "使用方法"), item(MenuItem::关于软件, "关于软件"),
                item(MenuItem::退出, "退出")};
    }
    return {item(MenuItem::上一章, "上一章"),
            item(MenuItem::下一章, "下一章"),
            separator,
            item(MenuItem::改变字体及大小, "改变字体及大小"),
            separator,
            item(MenuItem::设置透明度, "设置透明度"),
            separator,
            item(MenuItem::设置文本框背景色, "设置文本框背景色")};
}

}  // namespace

const std::vector<ControlSpec>& formControls() {
    static const std::vector<ControlSpec> controls = buildControls();
    return controls;
}

const ControlSpec& controlSpec(ControlName name) {
    const auto& controls = formControls();
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [name](const ControlSpec& c) { return c.name == name; });
    // Every ControlName is in the form.
    return *found;
}

Text nameOf(ControlName name) {
    switch (name) {
        case ControlName::通用对话框1:
            return "通用对话框1";
        case ControlName::单选框two:
            return "单选框two";
        case ControlName::单选框one:
            return "单选框one";
        case ControlName::时钟2:
            return "时钟2";
        case ControlName::编辑框2:
            return "编辑框2";
        case ControlName::时钟1:
            return "时钟1";
        case ControlName::标签小说:
            return "标签小说";
        case ControlName::超级列表框章节:
            return "超级列表框章节";
        case ControlName::图形按钮1:
            return "图形按钮1";
        case ControlName::编辑框1:
            return "编辑框1";
        case ControlName::超级列表框小说显示:
            return "超级列表框小说显示";
        case ControlName::滑块条1:
            return "滑块条1";
        case ControlName::按钮搜索:
            return "按钮搜索";
        case ControlName::编辑框搜索:
            return "编辑框搜索";
        case ControlName::分组框1:
            return "分组框1";
    }
    return Text();
}

std::vector<ListColumn> listColumns(ControlName list) {
    if (list == ControlName::超级列表框小说显示) {
        return {{"ID", 25}, {"小说", 120}, {"索引", 0}, {"来源", 0}};
    }
    if (list == ControlName::超级列表框章节) {
        return {{"ID", 30}, {"章节", 120}, {"索引", 0}};
    }
    return {};
}

Text menuTitle(MenuName menu) {
    return menu == MenuName::菜单 ? "菜单" : "转章节";
}

const std::vector<MenuEntry>& menuEntries(MenuName menu) {
    static const std::vector<MenuEntry> trayMenu = buildMenu(MenuName::菜单);
    static const std::vector<MenuEntry> chapterMenu = buildMenu(MenuName::转章节);
    return menu == MenuName::菜单 ? trayMenu : chapterMenu;
}

MenuName menuOf(MenuItem item) {
    for (const MenuEntry& entry : menuEntries(MenuName::菜单)) {
        if (!entry.separator && entry.item == item) return MenuName::菜单;
    }
    return MenuName::转章节;
}

int clampPosition(int value) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

int clampSize(int value) {
    return std::clamp(value, 0, kCoordinateLimit);
}

}  // namespace qm
