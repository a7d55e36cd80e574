// The main window without a screen: every control of the form description
// held in memory, the window's own state, a virtual clock for the timers and
// an event queue, so the window's logic runs and is tested natively.
//
// It raises the events the real window raises, in the same order: creation
// raises created, position changed and size changed before the window is
// shown; minimising, maximising and restoring raise position changed then
// size changed. Every program change through the Form interface (and every
// service call of HeadlessServices) is recorded in one change log, and so is
// every event raised (entries starting with "> ").
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/headless/memory_reader_state.h"
#include "reader/form.h"

namespace qm {

class HeadlessForm : public Form {
  public:
    // Installs this form's event queue as the event pump.
    HeadlessForm();
    ~HeadlessForm() override;
    HeadlessForm(const HeadlessForm&) = delete;
    HeadlessForm& operator=(const HeadlessForm&) = delete;

    // Creates the window: raises created, position changed and size changed
    // through the events, then shows and activates the window. The events
    // must outlive the form.
    void create(FormEvents& events);
    bool windowShown() const { return windowShown_; }
    bool windowActive() const { return windowActive_; }
    bool destroyed() const { return destroyed_; }

    // --- Form ---
    bool shown(ControlName control) const override;
    void show(ControlName control, bool shown) override;
    int left(ControlName control) const override;
    int top(ControlName control) const override;
    int width(ControlName control) const override;
    int height(ControlName control) const override;
    void setLeft(ControlName control, int value) override;
    void setTop(ControlName control, int value) override;
    void setWidth(ControlName control, int value) override;
    void setHeight(ControlName control, int value) override;
    Text text(ControlName control) const override;
    void setText(ControlName control, const Text& text) override;
    int textColour(ControlName control) const override;
    void setTextColour(ControlName control, int colour) override;
    int backgroundColour(ControlName control) const override;
    void setBackgroundColour(ControlName control, int colour) override;
    void setFont(ControlName control, const FontSpec& font) override;
    bool checked(ControlName radio) const override;
    void setChecked(ControlName radio, bool checked) override;
    int trackbarPosition() const override { return trackbarPosition_; }
    void setTrackbarPosition(int position) override;
    int timerPeriod(ControlName timer) const override;
    void setTimerPeriod(ControlName timer, int periodMs) override;
    void setPictureImages(ImageName normal, ImageName hot) override;
    TextTable& table(ControlName list) override;
    Text caption() const override { return caption_; }
    void setCaption(const Text& caption) override;
    int clientWidth() const override;
    int clientHeight() const override;
    int windowState() const override { return windowState_; }
    void hideWindow() override;
    void restoreWindow() override;
    void activateWindow() override;
    void focusWindow() override;
    // Posts the destruction: it takes effect when the queue reaches it.
    void destroyWindow() override;

    // --- What tests read ---
    // Shown with all its parents, the window included.
    bool visible(ControlName control) const;
    std::optional<FontSpec> font(ControlName control) const;  // the last one set
    ImageName normalImage() const { return normalImage_; }
    ImageName hotImage() const { return hotImage_; }
    MemoryTextTable& novels() { return novels_; }
    MemoryTextTable& chapters() { return chapters_; }
    std::optional<ControlName> focusedControl() const { return focused_; }

    const std::vector<Text>& changes() const { return changes_; }
    void clearChanges() { changes_.clear(); }
    void record(const Text& entry);

    // --- The window's size and state ---
    // The client size of the window in its normal state (572 × 399 at
    // first); no event.
    void setClientSize(int width, int height);
    // The user minimising, maximising (to the given client size) and
    // restoring the window; each raises position changed then size changed.
    // Restoring a window minimised from maximised maximises it again.
    void minimise();
    void maximise(int clientWidth, int clientHeight);
    void restore();

    // --- The user ---
    // Clicks a control: a control that takes the focus gets it first, a radio
    // button becomes the checked one of its group; then the click event.
    void click(ControlName control);
    // Clicks a list's row, or its empty space for a row outside the table:
    // the selection changes, then the click event.
    void clickRow(ControlName list, int row);
    // A key goes down in a control (as if it had the focus); Esc then closes
    // the window, as it does from any control.
    void pressKey(ControlName control, int keyCode, int modifiers = 0);
    void rightButtonDown(ControlName control, ScreenPoint point, int modifiers = 0);
    // Moves the trackbar (clamped to its range) and raises its event.
    void moveTrackbar(int position);
    void trayAction(int code);
    // An item of a popped-up menu chosen (HeadlessServices posts this).
    void chooseMenuItem(MenuItem item);
    // The keyboard focus: into a visible control, away from the window
    // (another program activated), and back to it.
    void focus(ControlName control);
    void deactivate();
    void activate();
    // The close box: the window is destroyed.
    void close();

    // --- Event queue and virtual clock ---
    // Queued events run in order when the queue is pumped, by pump() or by
    // processPendingEvents(); one posted while pumping runs in the same pump.
    // Pumping stops once the window is destroyed.
    void post(std::function<void()> event);
    int pendingEvents() const { return static_cast<int>(queue_.size()); }
    void pump();
    // Virtual time each pump lets pass after the queue is empty, as a
    // blocking fetch would; 0 (the default) lets none pass.
    void setTimePerPump(int ms) { timePerPump_ = ms; }
    // Moves the clock on, firing every timer tick that falls due, in time
    // order (timers due at the same moment in the form's order).
    void advance(int ms);
    long long now() const { return now_; }

  private:
    struct ControlState {
        bool shown = false;
        int left = 0, top = 0, width = 0, height = 0;
        Text text;
        int textColour = -1, backgroundColour = -1;
        std::optional<FontSpec> font;
        bool checked = false;
        int timerPeriod = 0;
        long long timerDue = 0;
    };

    ControlState& state(ControlName control);
    const ControlState& state(ControlName control) const;
    void recordValue(const char* operation, ControlName control, const Text& value);
    // Raises one event through the bound events, unless the window is gone.
    void raise(const Text& entry, const std::function<void(FormEvents&)>& event);
    void raiseMoveAndSize();
    void moveFocusTo(std::optional<ControlName> control);
    // The window itself gets the keyboard focus: it goes on to the control
    // that had it when the window last lost the activation, else to the first
    // visible tab-stop control.
    void forwardWindowFocus();
    void requestDestruction();
    void destroyNow();

    std::map<ControlName, ControlState> controls_;
    MemoryTextTable novels_;
    MemoryTextTable chapters_;
    int trackbarPosition_;
    ImageName normalImage_;
    ImageName hotImage_;
    Text caption_;

    FormEvents* events_ = nullptr;
    bool windowShown_ = false;
    bool windowActive_ = false;
    bool destroyed_ = false;
    bool destructionPosted_ = false;
    int windowState_ = kWindowNormal;
    bool restoreToMaximised_ = false;
    int normalClientWidth_;
    int normalClientHeight_;
    int maximisedClientWidth_ = 0;
    int maximisedClientHeight_ = 0;
    std::optional<ControlName> focused_;
    std::optional<ControlName> focusBeforeDeactivation_;

    std::deque<std::function<void()>> queue_;
    int timePerPump_ = 0;
    long long now_ = 0;
    std::vector<Text> changes_;
};

}  // namespace qm
