#include "toolkit/busy_indicator.h"

#include <utility>

namespace qm {

namespace {

struct BusySteps {
    BusyStep begin;
    BusyStep end;
};

BusySteps& installedSteps() {
    static BusySteps steps;
    return steps;
}

}  // namespace

void setBusyIndicator(BusyStep begin, BusyStep end) {
    installedSteps() = {std::move(begin), std::move(end)};
}

BusyScope::BusyScope() {
    const BusySteps steps = installedSteps();
    if (!steps.begin && !steps.end) {
        beginPlatformBusy();
        end_ = endPlatformBusy;
        return;
    }
    end_ = steps.end;
    if (steps.begin) steps.begin();
}

BusyScope::~BusyScope() {
    if (end_) end_();
}

}  // namespace qm
