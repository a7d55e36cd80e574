#include "sources/site_sources.h"

namespace qm {

SiteSources::SiteSources(const SiteConfig& config, ReaderState& state)
    : one_(config, state), two_(config, state) {}

void SiteSources::searchSourceOne() {
    one_.searchSourceOne();
}
void SiteSources::listChaptersOne() {
    one_.listChaptersOne();
}
void SiteSources::computeTextStoreDir() {
    one_.computeTextStoreDir();
}
void SiteSources::showChapterOne() {
    one_.showChapterOne();
}
void SiteSources::searchSourceTwo() {
    two_.searchSourceTwo();
}
void SiteSources::listChaptersTwo() {
    two_.listChaptersTwo();
}
void SiteSources::showChapterTwo() {
    two_.showChapterTwo();
}

}  // namespace qm
