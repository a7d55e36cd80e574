// The appearance services without a screen: the input box and the font
// dialog answered from a script, a screen pixel that tests set, and the
// window's opacity recorded. Each call is also recorded in the headless
// form's change log.
#pragma once

#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "platform/headless/headless_form.h"
#include "reader/appearance_services.h"

namespace qm {

class HeadlessAppearance : public AppearanceServices {
  public:
    // The form must outlive the services.
    explicit HeadlessAppearance(HeadlessForm& form) : form_(form) {}

    // Takes the next scripted answer; with none left the box is cancelled.
    std::optional<Text> inputBox(const Text& prompt, const Text& title, const Text& initialText,
                                 bool wholeNumber) override;
    // Takes the next scripted answer: a font replaces the values (accepted),
    // none leaves them (cancelled); with no answer left it is cancelled.
    bool fontDialog(FontDialogValues& values) override;
    std::optional<PixelColour> pixelUnderPointer() const override { return pixel_; }
    void setWindowOpacity(int alpha) override;

    // --- Test controls ---
    void answerNextInputBox(std::optional<Text> answer) {
        inputAnswers_.push_back(std::move(answer));
    }
    void answerNextFontDialog(std::optional<FontDialogValues> answer) {
        fontAnswers_.push_back(std::move(answer));
    }
    // Nothing: the pixel cannot be read.
    void setPixelUnderPointer(std::optional<PixelColour> pixel) { pixel_ = pixel; }

    // --- What tests read ---
    struct AskedInput {
        Text prompt;
        Text title;
        Text initialText;
        bool wholeNumber = false;
    };
    const std::vector<AskedInput>& inputBoxesShown() const { return inputBoxesShown_; }
    // The values each font dialog opened with.
    const std::vector<FontDialogValues>& fontDialogsShown() const { return fontDialogsShown_; }
    // Nothing while the window has never been made layered.
    std::optional<int> opacity() const { return opacity_; }

  private:
    HeadlessForm& form_;
    std::deque<std::optional<Text>> inputAnswers_;
    std::deque<std::optional<FontDialogValues>> fontAnswers_;
    std::optional<PixelColour> pixel_ = PixelColour{};
    std::vector<AskedInput> inputBoxesShown_;
    std::vector<FontDialogValues> fontDialogsShown_;
    std::optional<int> opacity_;
};

}  // namespace qm
