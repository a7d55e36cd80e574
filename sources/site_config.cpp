#include "sources/site_config.h"

// Set by the build from its cache variables of the same names.
#if !defined(QM_SITE_BASE_ONE) || !defined(QM_TEXT_SERVER_BASE_ONE) || !defined(QM_SITE_BASE_TWO)
#error "the build defines the site addresses"
#endif

namespace qm {

SiteConfig builtInSiteConfig() {
    return SiteConfig{QM_SITE_BASE_ONE, QM_TEXT_SERVER_BASE_ONE, QM_SITE_BASE_TWO};
}

}  // namespace qm
