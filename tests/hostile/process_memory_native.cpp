// Linux: VmRSS and VmHWM of /proc/self/status; writing 5 to clear_refs
// starts the peak afresh.
#include <fstream>
#include <string>

#include "process_memory.h"

namespace qm::testing {

namespace {

std::size_t statusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, field.size(), field) == 0 && line.size() > field.size() &&
            line[field.size()] == ':') {
            return std::stoull(line.substr(field.size() + 1));
        }
    }
    return 0;
}

}  // namespace

std::size_t residentBytes() {
    return statusKiB("VmRSS") * 1024;
}

std::size_t peakResidentBytes() {
    return statusKiB("VmHWM") * 1024;
}

void resetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace qm::testing
