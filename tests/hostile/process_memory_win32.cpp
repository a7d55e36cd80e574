// Windows: the working set of GetProcessMemoryInfo (under Wine, the Linux
// process's resident set). Its peak cannot be reset.
#include <windows.h>
// psapi.h needs windows.h before it.
#include <psapi.h>

#include "process_memory.h"

namespace qm::testing {

namespace {

PROCESS_MEMORY_COUNTERS counters() {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return c;
}

}  // namespace

std::size_t residentBytes() {
    return counters().WorkingSetSize;
}

std::size_t peakResidentBytes() {
    return counters().PeakWorkingSetSize;
}

void resetPeakResident() {}

}  // namespace qm::testing
