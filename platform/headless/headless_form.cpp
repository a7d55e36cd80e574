#include "platform/headless/headless_form.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "reader/form_description.h"
#include "toolkit/event_pump.h"

namespace qm {

namespace {

using N = ControlName;

constexpr int kEscape = 27;
// The client area of the 578 × 426 window with its fixed frame and caption.
constexpr int kStartClientWidth = 572;
constexpr int kStartClientHeight = 399;

Text imageText(ImageName image) {
    switch (image) {
        case ImageName::collapseImage:
            return "collapseImage";
        case ImageName::collapseHotImage:
            return "collapseHotImage";
        case ImageName::expandImage:
            return "expandImage";
        case ImageName::expandHotImage:
            return "expandHotImage";
    }
    return Text();
}

Text flagText(bool flag) {
    return flag ? "1" : "0";
}

Text numberText(long long value) {
    return std::to_string(value);
}

// A control keeps a text up to its first zero byte.
Text asControlText(const Text& text) {
    const std::size_t zero = text.find('\0');
    return zero == Text::npos ? text : text.substr(0, zero);
}

bool takesFocus(N control) {
    return controlSpec(control).tabStop;
}

}  // namespace

HeadlessForm::HeadlessForm()
    : novels_(static_cast<int>(listColumns(N::超级列表框小说显示).size())),
      chapters_(static_cast<int>(listColumns(N::超级列表框章节).size())),
      trackbarPosition_(kTrackbarStart),
      normalImage_(kStartNormalImage),
      hotImage_(kStartHotImage),
      caption_(kWindowCaption),
      normalClientWidth_(kStartClientWidth),
      normalClientHeight_(kStartClientHeight) {
    for (const ControlSpec& described : formControls()) {
        ControlState& control = controls_[described.name];
        control.shown = described.shown;
        control.left = described.left;
        control.top = described.top;
        control.width = described.width;
        control.height = described.height;
        control.text = described.caption;
        control.textColour = described.textColour;
        control.backgroundColour = described.backgroundColour;
        control.checked = described.checked;
    }
    setEventPump([this] { pump(); });
}

HeadlessForm::~HeadlessForm() {
    setEventPump(nullptr);
}

void HeadlessForm::create(FormEvents& events) {
    events_ = &events;
    raise("> created", [](FormEvents& e) { e.onCreated(); });
    raise("> positionChanged", [](FormEvents& e) { e.onPositionChanged(); });
    raise("> sizeChanged", [](FormEvents& e) { e.onSizeChanged(); });
    if (destroyed_) return;
    // Shown and activated; the window itself keeps the focus that the
    // created event gave it, so no control has the focus yet.
    windowShown_ = true;
    windowActive_ = true;
    record("window shown");
}

// --- Controls ---

HeadlessForm::ControlState& HeadlessForm::state(ControlName control) {
    return controls_.at(control);
}

const HeadlessForm::ControlState& HeadlessForm::state(ControlName control) const {
    return controls_.at(control);
}

void HeadlessForm::record(const Text& entry) {
    changes_.push_back(entry);
}

void HeadlessForm::recordValue(const char* operation, ControlName control, const Text& value) {
    record(Text(operation) + " " + nameOf(control) + " " + value);
}

bool HeadlessForm::shown(ControlName control) const {
    return state(control).shown;
}

void HeadlessForm::show(ControlName control, bool shown) {
    recordValue("show", control, flagText(shown));
    state(control).shown = shown;
}

int HeadlessForm::left(ControlName control) const {
    return state(control).left;
}
int HeadlessForm::top(ControlName control) const {
    return state(control).top;
}
int HeadlessForm::width(ControlName control) const {
    return state(control).width;
}
int HeadlessForm::height(ControlName control) const {
    return state(control).height;
}

void HeadlessForm::setLeft(ControlName control, int value) {
    recordValue("setLeft", control, numberText(value));
    state(control).left = clampPosition(value);
}

void HeadlessForm::setTop(ControlName control, int value) {
    recordValue("setTop", control, numberText(value));
    state(control).top = clampPosition(value);
}

void HeadlessForm::setWidth(ControlName control, int value) {
    recordValue("setWidth", control, numberText(value));
    state(control).width = clampSize(value);
}

void HeadlessForm::setHeight(ControlName control, int value) {
    recordValue("setHeight", control, numberText(value));
    state(control).height = clampSize(value);
}

Text HeadlessForm::text(ControlName control) const {
    return state(control).text;
}

void HeadlessForm::setText(ControlName control, const Text& text) {
    recordValue("setText", control, text);
    state(control).text = asControlText(text);
}

int HeadlessForm::textColour(ControlName control) const {
    return state(control).textColour;
}

void HeadlessForm::setTextColour(ControlName control, int colour) {
    recordValue("setTextColour", control, numberText(colour));
    state(control).textColour = colour;
}

int HeadlessForm::backgroundColour(ControlName control) const {
    return state(control).backgroundColour;
}

void HeadlessForm::setBackgroundColour(ControlName control, int colour) {
    recordValue("setBackgroundColour", control, numberText(colour));
    state(control).backgroundColour = colour;
}

void HeadlessForm::setFont(ControlName control, const FontSpec& font) {
    recordValue("setFont", control, font.name + " " + numberText(font.size));
    state(control).font = font;
}

std::optional<FontSpec> HeadlessForm::font(ControlName control) const {
    return state(control).font;
}

bool HeadlessForm::checked(ControlName radio) const {
    return state(radio).checked;
}

void HeadlessForm::setChecked(ControlName radio, bool checked) {
    recordValue("setChecked", radio, flagText(checked));
    state(radio).checked = checked;
}

void HeadlessForm::setTrackbarPosition(int position) {
    record("setTrackbarPosition " + numberText(position));
    trackbarPosition_ = std::clamp(position, kTrackbarMin, kTrackbarMax);
}

int HeadlessForm::timerPeriod(ControlName timer) const {
    return state(timer).timerPeriod;
}

void HeadlessForm::setTimerPeriod(ControlName timer, int periodMs) {
    recordValue("setTimerPeriod", timer, numberText(periodMs));
    ControlState& t = state(timer);
    const int period = periodMs > 0 ? periodMs : 0;
    if (period == t.timerPeriod) return;  // a running timer is not restarted
    t.timerPeriod = period;
    t.timerDue = now_ + period;
}

void HeadlessForm::setPictureImages(ImageName normal, ImageName hot) {
    record("setPictureImages " + imageText(normal) + " " + imageText(hot));
    normalImage_ = normal;
    hotImage_ = hot;
}

TextTable& HeadlessForm::table(ControlName list) {
    return list == N::超级列表框章节 ? static_cast<TextTable&>(chapters_) : novels_;
}

void HeadlessForm::setCaption(const Text& caption) {
    record("setCaption " + caption);
    caption_ = asControlText(caption);
}

bool HeadlessForm::visible(ControlName control) const {
    if (!windowShown_ || !state(control).shown) return false;
    return !controlSpec(control).insideGroupBox || state(N::分组框1).shown;
}

// --- The window ---

int HeadlessForm::clientWidth() const {
    if (windowState_ == kWindowMinimised) return 0;
    return windowState_ == kWindowMaximised ? maximisedClientWidth_ : normalClientWidth_;
}

int HeadlessForm::clientHeight() const {
    if (windowState_ == kWindowMinimised) return 0;
    return windowState_ == kWindowMaximised ? maximisedClientHeight_ : normalClientHeight_;
}

void HeadlessForm::setClientSize(int width, int height) {
    normalClientWidth_ = std::max(width, 0);
    normalClientHeight_ = std::max(height, 0);
}

void HeadlessForm::raiseMoveAndSize() {
    raise("> positionChanged", [](FormEvents& e) { e.onPositionChanged(); });
    raise("> sizeChanged", [](FormEvents& e) { e.onSizeChanged(); });
}

void HeadlessForm::minimise() {
    if (destroyed_ || windowState_ == kWindowMinimised) return;
    restoreToMaximised_ = windowState_ == kWindowMaximised;
    windowState_ = kWindowMinimised;
    raiseMoveAndSize();
    deactivate();
}

void HeadlessForm::maximise(int clientWidth, int clientHeight) {
    if (destroyed_) return;
    maximisedClientWidth_ = std::max(clientWidth, 0);
    maximisedClientHeight_ = std::max(clientHeight, 0);
    windowState_ = kWindowMaximised;
    windowShown_ = true;
    raiseMoveAndSize();
    activate();
}

void HeadlessForm::restore() {
    if (destroyed_) return;
    const int from = windowState_;
    // Restoring a minimised window gives it back the state it had before.
    windowState_ =
        from == kWindowMinimised && restoreToMaximised_ ? kWindowMaximised : kWindowNormal;
    const bool sizeChanges = windowState_ != from;
    windowShown_ = true;
    if (sizeChanges) raiseMoveAndSize();
    activate();
}

void HeadlessForm::hideWindow() {
    record("hideWindow");
    if (windowActive_) deactivate();
    windowShown_ = false;
}

void HeadlessForm::restoreWindow() {
    record("restoreWindow");
    restore();
}

void HeadlessForm::activateWindow() {
    record("activateWindow");
    activate();
}

void HeadlessForm::focusWindow() {
    record("focusWindow");
    if (destroyed_) return;
    moveFocusTo(std::nullopt);
    forwardWindowFocus();
}

void HeadlessForm::destroyWindow() {
    record("destroyWindow");
    requestDestruction();
}

void HeadlessForm::close() {
    requestDestruction();
}

void HeadlessForm::requestDestruction() {
    if (destroyed_ || destructionPosted_) return;
    destructionPosted_ = true;
    post([this] { destroyNow(); });
}

void HeadlessForm::destroyNow() {
    // The tray icon goes with the window (HeadlessServices reads destroyed()).
    destroyed_ = true;
    windowShown_ = false;
    windowActive_ = false;
    focused_.reset();
    for (auto& [name, control] : controls_) control.timerPeriod = 0;
    record("window destroyed");
}

// --- Focus ---

void HeadlessForm::moveFocusTo(std::optional<ControlName> control) {
    if (focused_ == control) return;
    // Read afresh after each event: a handler may move the focus itself.
    const std::optional<ControlName> old = focused_;
    focused_ = control;
    if (old) {
        const ControlName lost = *old;
        raise("> lostFocus " + nameOf(lost), [lost](FormEvents& e) { e.onLostFocus(lost); });
    }
    if (control && focused_ == control) {
        const ControlName got = *control;
        raise("> gotFocus " + nameOf(got), [got](FormEvents& e) { e.onGotFocus(got); });
    }
}

void HeadlessForm::forwardWindowFocus() {
    const std::optional<ControlName> remembered = focusBeforeDeactivation_;
    focusBeforeDeactivation_.reset();
    if (remembered && visible(*remembered)) {
        moveFocusTo(remembered);
        return;
    }
    for (ControlName candidate : kFocusOrder) {
        if (visible(candidate)) {
            moveFocusTo(candidate);
            return;
        }
    }
}

void HeadlessForm::focus(ControlName control) {
    if (destroyed_ || !visible(control) || !takesFocus(control)) return;
    windowActive_ = true;
    moveFocusTo(control);
}

void HeadlessForm::deactivate() {
    if (!windowActive_) return;
    windowActive_ = false;
    focusBeforeDeactivation_ = focused_;
    moveFocusTo(std::nullopt);
}

void HeadlessForm::activate() {
    if (destroyed_ || !windowShown_ || windowActive_) return;
    windowActive_ = true;
    forwardWindowFocus();
}

// --- The user ---

void HeadlessForm::raise(const Text& entry, const std::function<void(FormEvents&)>& event) {
    if (destroyed_ || events_ == nullptr) return;
    record(entry);
    event(*events_);
}

void HeadlessForm::click(ControlName control) {
    if (destroyed_) return;
    focus(control);
    if (control == N::单选框one || control == N::单选框two) {
        state(N::单选框one).checked = control == N::单选框one;
        state(N::单选框two).checked = control == N::单选框two;
    }
    raise("> clicked " + nameOf(control), [control](FormEvents& e) { e.onClicked(control); });
}

void HeadlessForm::clickRow(ControlName list, int row) {
    if (destroyed_) return;
    focus(list);
    TextTable& rows = table(list);
    rows.setCurrentRow(row >= 0 && row < rows.rowCount() ? row : -1);
    raise("> clicked " + nameOf(list), [list](FormEvents& e) { e.onClicked(list); });
}

void HeadlessForm::pressKey(ControlName control, int keyCode, int modifiers) {
    raise("> keyPressed " + nameOf(control) + " " + numberText(keyCode),
          [=](FormEvents& e) { e.onKeyPressed(control, keyCode, modifiers); });
    if (keyCode == kEscape) close();
}

void HeadlessForm::rightButtonDown(ControlName control, ScreenPoint point, int modifiers) {
    raise("> rightButtonDown " + nameOf(control),
          [=](FormEvents& e) { e.onRightButtonDown(control, point, modifiers); });
}

void HeadlessForm::moveTrackbar(int position) {
    if (destroyed_) return;
    focus(N::滑块条1);
    trackbarPosition_ = std::clamp(position, kTrackbarMin, kTrackbarMax);
    raise("> trackbarMoved", [](FormEvents& e) { e.onTrackbarMoved(); });
}

void HeadlessForm::trayAction(int code) {
    raise("> trayEvent " + numberText(code), [code](FormEvents& e) { e.onTrayEvent(code); });
}

void HeadlessForm::chooseMenuItem(MenuItem item) {
    raise("> menuItem", [item](FormEvents& e) { e.onMenuItem(item); });
}

// --- Event queue and clock ---

void HeadlessForm::post(std::function<void()> event) {
    queue_.push_back(std::move(event));
}

void HeadlessForm::pump() {
    const auto drain = [this] {
        // One event at a time, taken off before it runs: a nested pump goes
        // on with the next one.
        while (!queue_.empty() && !destroyed_) {
            std::function<void()> event = std::move(queue_.front());
            queue_.pop_front();
            event();
        }
    };
    drain();
    if (timePerPump_ > 0 && !destroyed_) {
        advance(timePerPump_);
        drain();
    }
}

void HeadlessForm::advance(int ms) {
    const long long target = now_ + std::max(ms, 0);
    for (;;) {
        // The earliest tick due by the target, found afresh each time since
        // a tick's handler may start, stop or restart timers.
        std::optional<ControlName> next;
        long long due = target + 1;
        for (const ControlSpec& described : formControls()) {
            const ControlState& t = state(described.name);
            if (described.type == ControlType::timer && t.timerPeriod > 0 && t.timerDue < due) {
                next = described.name;
                due = t.timerDue;
            }
        }
        if (!next || destroyed_) break;
        ControlState& t = state(*next);
        now_ = std::max(now_, due);
        t.timerDue = due + t.timerPeriod;
        const ControlName timer = *next;
        raise("> tick " + nameOf(timer), [timer](FormEvents& e) { e.onTimerTick(timer); });
    }
    now_ = std::max(now_, target);
}

}  // namespace qm
