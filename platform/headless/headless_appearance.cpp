#include "platform/headless/headless_appearance.h"

#include <string>
#include <utility>

namespace qm {

namespace {

template <typename Answer>
std::optional<Answer> takeFront(std::deque<std::optional<Answer>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<Answer> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

std::optional<Text> HeadlessAppearance::inputBox(const Text& prompt, const Text& title,
                                                 const Text& initialText, bool wholeNumber) {
    form_.record("inputBox " + title + " " + prompt);
    inputBoxesShown_.push_back({prompt, title, initialText, wholeNumber});
    return takeFront(inputAnswers_);
}

bool HeadlessAppearance::fontDialog(FontDialogValues& values) {
    form_.record("fontDialog " + values.name + " " + std::to_string(values.size));
    fontDialogsShown_.push_back(values);
    std::optional<FontDialogValues> chosen = takeFront(fontAnswers_);
    if (!chosen) return false;
    values = std::move(*chosen);
    return true;
}

void HeadlessAppearance::setWindowOpacity(int alpha) {
    form_.record("setWindowOpacity " + std::to_string(alpha));
    opacity_ = alpha;
}

}  // namespace qm
