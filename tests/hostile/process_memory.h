// The resident memory of this test process, for bounding what a case costs.
#pragma once

#include <cstddef>

namespace qm::testing {

// Bytes resident now.
std::size_t residentBytes();

// The most bytes resident since the last resetPeakResident(). Where the peak
// cannot be reset (Windows), since the process began: each case of these
// suites runs in a process of its own.
std::size_t peakResidentBytes();
void resetPeakResident();

}  // namespace qm::testing
