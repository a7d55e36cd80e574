// The fetch of the fuzz build: every address gives the page set here, so
// the sources take apart whatever the fuzzer makes up.
#pragma once

#include <string>

namespace qm::fuzzing {

void servePage(std::string page);

}  // namespace qm::fuzzing
