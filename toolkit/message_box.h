// The system's message boxes: no owner, task-modal, one OK button.
#pragma once

#include <functional>

#include "toolkit/text.h"

namespace qm {

constexpr int kIconStop = 16;
constexpr int kIconInformation = 64;

// Shows the box and waits for OK. On Win32 a real MessageBoxW; elsewhere the
// boxes are recorded (see shownMessages). A handler, once set, takes their place.
void showMessage(const Text& text, const Text& title, int flags);

using MessageHandler = std::function<void(const Text& text, const Text& title, int flags)>;
void setMessageHandler(MessageHandler handler);

}  // namespace qm
