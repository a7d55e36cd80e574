#include "reader/appearance_commands.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "toolkit/message_box.h"

// The build sets the contact line (CMake cache variable QM_CONTACT_LINE);
// a build without it still has a box to show.
#ifndef QM_CONTACT_LINE
#define QM_CONTACT_LINE "Quillmere"
#endif

namespace qm {

namespace {

constexpr int kQKey = 81;
constexpr int kWKey = 87;
constexpr int kPickingPeriodMs = 100;
constexpr int kMenuOffset = 3;  // the menu's corner lies this far right of and below the pointer
constexpr int kMaxOpacity = 255;
constexpr int kWhite = 16777215;

constexpr const char* kUsageText =
    "1：搜索小说后，单击小说就可以显示章节\r\n"
    "2：单击章节，可查看章节内容，按上或下快捷键切换章节\r\n"
    "3：在小说内容框内按左或右快捷键切换章节";
constexpr const char* kBackgroundHelpText =
    "1：编辑框内按 Q键 开始取鼠标所在区域颜色\r\n"
    "2：编辑框内按 W键 确认所取颜色";

}  // namespace

AppearanceCommands::AppearanceCommands(Form& form, Services& services,
                                       AppearanceServices& appearance)
    : form_(form), services_(services), appearance_(appearance) {}

void AppearanceCommands::usageCommand() {
    showMessage(kUsageText, "使用方法", kIconInformation);
}

void AppearanceCommands::contactCommand() {
    showMessage(contactLine(), "联系方式", kIconInformation);
}

void AppearanceCommands::backgroundHelpCommand() {
    showMessage(kBackgroundHelpText, "提示", kIconInformation);
}

void AppearanceCommands::transparencyCommand() {
    const std::optional<Text> answer =
        appearance_.inputBox("请输入透明度，最高为255，最低为0！", "透明度设置：", "100", true);
    if (!answer) return;
    const int opacity = wholeNumberOf(*answer);
    if (opacity >= 0 && opacity <= kMaxOpacity) {
        appearance_.setWindowOpacity(opacity);
    } else {
        // The same words for a number above 255 too.
        showMessage("输入错误,不能小于0！", "提示", kIconStop);
    }
}

void AppearanceCommands::fontCommand() {
    // Accepted or cancelled, the pane gets the dialog's values as they now
    // stand: cancelling gives the font accepted last (or, before any, an
    // empty face at size 0, which the pane shows in the system's default).
    appearance_.fontDialog(fontDialog_);
    form_.setFont(ControlName::编辑框1, fontSpecOf(fontDialog_));
}

void AppearanceCommands::readingPaneMenu() {
    const ScreenPoint pointer = services_.cursorPosition();
    services_.popupMenu(MenuName::转章节, {pointer.x + kMenuOffset, pointer.y + kMenuOffset});
}

void AppearanceCommands::colourPickingKeys(int keyCode) {
    // Setting the period the timer already has does not restart it.
    if (keyCode == kQKey) form_.setTimerPeriod(ControlName::时钟2, kPickingPeriodMs);
    if (keyCode == kWKey) form_.setTimerPeriod(ControlName::时钟2, 0);
}

void AppearanceCommands::colourPickTick() {
    const std::optional<PixelColour> pixel = appearance_.pixelUnderPointer();
    form_.setBackgroundColour(ControlName::编辑框1, pixel ? colourValueOf(*pixel) : kWhite);
}

void connectAppearance(AppearanceCommands& appearance, FormBindings& bindings,
                       ReaderCommands& commands) {
    AppearanceCommands* const a = &appearance;
    AppearanceHandlers handlers;
    handlers.usageCommand = [a] { a->usageCommand(); };
    handlers.contactCommand = [a] { a->contactCommand(); };
    handlers.fontCommand = [a] { a->fontCommand(); };
    handlers.transparencyCommand = [a] { a->transparencyCommand(); };
    handlers.backgroundHelpCommand = [a] { a->backgroundHelpCommand(); };
    handlers.readingPaneMenu = [a](ScreenPoint, int) { a->readingPaneMenu(); };
    handlers.colourPickTick = [a] { a->colourPickTick(); };
    bindings.setAppearanceHandlers(std::move(handlers));
    commands.setColourPickingKeys([a](int keyCode) { a->colourPickingKeys(keyCode); });
}

int wholeNumberOf(const Text& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long magnitude = 0;
    // Past INT_MAX + 1 the digits only keep the number out of every range.
    constexpr long long kCap = static_cast<long long>(INT_MAX) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(kCap, magnitude * 10 + (text[i] - '0'));
    }
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

FontSpec fontSpecOf(const FontDialogValues& values) {
    FontSpec font;
    font.angle = 0;
    font.bold = values.bold;
    font.italic = values.italic;
    font.underline = values.underline;
    font.strikeOut = values.strikeOut;
    font.size = values.size;
    font.name = values.name;
    return font;
}

int colourValueOf(const PixelColour& colour) {
    const auto part = [](int value) { return std::clamp(value, 0, 255); };
    return part(colour.red) + part(colour.green) * 256 + part(colour.blue) * 65536;
}

Text contactLine() {
    return QM_CONTACT_LINE;
}

}  // namespace qm
