// The sign that the reader is working while a fetch blocks its window: on
// Win32 the wait cursor, in the native build nothing. fetchPage raises it
// around every request it sends.
#pragma once

#include <functional>

namespace qm {

// begin runs before each request, end after it, whether it worked or not.
// Tests put their own steps in the platform's place; two empty functions give
// the platform's back.
using BusyStep = std::function<void()>;
void setBusyIndicator(BusyStep begin, BusyStep end);

// Shows the sign for its lifetime.
class BusyScope {
  public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    // Kept from the start, so that a sign replaced meanwhile is still ended
    // by its own step.
    BusyStep end_;
};

// The platform's sign, whatever steps are set.
void beginPlatformBusy();
void endPlatformBusy();

}  // namespace qm
