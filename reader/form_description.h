// The main window's form, described once: every control with its type,
// parent, geometry, initial state and settings, the list columns, the two
// popup menus and the window's own constants. The Win32 window and the
// headless window both build themselves from this.
#pragma once

#include <array>
#include <vector>

#include "reader/form.h"
#include "toolkit/text.h"

namespace qm {

enum class ControlType {
    fontDialog,
    radioButton,
    timer,
    editBox,
    label,
    listView,
    pictureButton,
    trackbar,
    pushButton,
    groupBox,
};

// A colour value that means "the platform's default for this control": for a
// background the system colour of 3D faces (COLOR_BTNFACE).
constexpr int kDefaultColour = -1;

struct ControlSpec {
    ControlName name;
    ControlType type;
    bool insideGroupBox;  // parent 分组框1, else the main window
    // Relative to the parent's client area. Dialogs and timers have none (0).
    int left, top, width, height;
    bool shown;            // WS_VISIBLE at start; dialogs and timers are never shown
    bool tabStop;          // WS_TABSTOP
    Text caption;          // initial text of buttons, group box, label and edit boxes
    int textColour;        // kDefaultColour or a colour value
    int backgroundColour;  // kDefaultColour or a colour value; list views use
                           // it for the text background as well
    bool sunkenBorder;     // WS_EX_CLIENTEDGE
    bool centred;          // text centred (BS_CENTER, ES_CENTER, SS_CENTER)
    bool multiLine;        // edit box: the reading pane's multi-line settings
    bool readOnly;         // edit box
    bool checked;          // radio button checked at start
};

// Every control, in the form's order (the order of creation).
const std::vector<ControlSpec>& formControls();
const ControlSpec& controlSpec(ControlName name);
// The control's form name as text ("编辑框1"), for logs and diagnostics.
Text nameOf(ControlName name);

struct ListColumn {
    Text title;
    int width;  // 0 hides the column while it still holds its texts
};

// The columns of 超级列表框小说显示 and 超级列表框章节, all left-aligned;
// empty for any other control.
std::vector<ListColumn> listColumns(ControlName list);

struct MenuEntry {
    bool separator;
    MenuItem item;  // meaningless for a separator
    Text text;
};

// The two hidden top-level menus and their items, in order.
Text menuTitle(MenuName menu);
const std::vector<MenuEntry>& menuEntries(MenuName menu);
// The menu that holds an item.
MenuName menuOf(MenuItem item);

// The main window.
inline constexpr char kWindowCaption[] = "Quillmere";
constexpr int kWindowOuterWidth = 578;
constexpr int kWindowOuterHeight = 426;

// The reading pane's font (编辑框1), LOGFONT field by field. The face name is
// code page 936 text.
struct PaneLogFont {
    const char* faceName;
    int height, width, escapement, orientation, weight;
    bool italic, underline, strikeOut;
    int charSet, outPrecision, clipPrecision, quality, pitchAndFamily;
};
inline constexpr PaneLogFont kReadingPaneFont{
    .faceName = "楷体_GB2312",
    .height = -24,  // characters 24 pixels high
    .width = 0,
    .escapement = 0,
    .orientation = 0,
    .weight = 400,
    .italic = false,
    .underline = false,
    .strikeOut = false,
    .charSet = 134,         // GB2312_CHARSET
    .outPrecision = 3,      // OUT_STROKE_PRECIS
    .clipPrecision = 2,     // CLIP_STROKE_PRECIS
    .quality = 1,           // DRAFT_QUALITY
    .pitchAndFamily = 0x31  // FIXED_PITCH | FF_MODERN
};

// Where the keyboard focus goes when the window gets it and no control had it:
// the first of these that is visible with all its parents and enabled.
inline constexpr std::array<ControlName, 8> kFocusOrder{
    ControlName::编辑框搜索,         ControlName::按钮搜索,  ControlName::滑块条1,
    ControlName::超级列表框小说显示, ControlName::编辑框1,   ControlName::超级列表框章节,
    ControlName::单选框one,          ControlName::单选框two,
};

// Colours.
constexpr int kBlack = 0;
constexpr int kGrey = 8421504;             // 128, 128, 128
constexpr int kSearchGreen = 12639424;     // 192, 220, 192: search box and lists
constexpr int kPaneBackground = 16708839;  // 231, 244, 254: reading pane
constexpr int kWhite = 16777215;

// The search box's placeholder and the colours of placeholder and typed text.
inline constexpr char kPlaceholderText[] = "输入搜索内容";
constexpr int kPlaceholderColour = kGrey;
constexpr int kTypedTextColour = kBlack;

// Tray icon tips: the first, set when the icon is added, and every later one.
inline constexpr char kTrayTipStart[] = "Quillmere!";
inline constexpr char kTrayTip[] = "Quillmere！";
constexpr int kTrayTipMaxBytes = 62;

// Panel modes (the trackbar's position and range) and their tooltip texts.
constexpr int kSearchMode = 1;
constexpr int kChaptersMode = 2;
constexpr int kTrackbarMin = 1;
constexpr int kTrackbarMax = 2;
constexpr int kTrackbarStart = kSearchMode;
inline constexpr char kSearchModeTip[] = "搜索小说区";
inline constexpr char kChaptersModeTip[] = "查看小说章节";

// The picture button: its left tells whether the panel is shown, and its
// images at creation.
constexpr int kPanelShownButtonLeft = 1;
constexpr int kPanelCollapsedButtonLeft = 0;
constexpr ImageName kStartNormalImage = ImageName::collapseImage;
constexpr ImageName kStartHotImage = ImageName::collapseHotImage;

// Picture button strips: 8 × 198 pixels (the button itself is 6 wide).
constexpr int kStripWidth = 8;
constexpr int kStripHeight = 198;

// The tray menu pops up this far right of and below the mouse pointer.
constexpr int kTrayMenuOffset = 3;

// Setting a left or top clamps to -32627..32627; a width or height turns
// negatives into 0 and clamps at 32627.
constexpr int kCoordinateLimit = 32627;
int clampPosition(int value);
int clampSize(int value);

}  // namespace qm
