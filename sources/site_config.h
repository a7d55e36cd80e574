// The base addresses of the two sites, fixed when the program is built.
#pragma once

#include "toolkit/text.h"

namespace qm {

struct SiteConfig {
    Text siteBaseOne;        // scheme, host and "/" of source ONE's site
    Text textServerBaseOne;  // scheme, host and "/novel/" of its chapter text server
    Text siteBaseTwo;        // scheme, host and "/" of source TWO's site
};

// The addresses this build was configured with.
SiteConfig builtInSiteConfig();

}  // namespace qm
