// The pages the benchmarks feed the reader, generated here, the same bytes on
// every run: pages shaped as the two sites send them, of the sizes the
// budgets are set for. Chinese text is drawn from the common characters of
// code page 936; the UTF-8 forms are made with iconv directly, not with the
// conversions under test.
#pragma once

#include <cstddef>
#include <string>

namespace qm::bench {

// Code page 936 text of about this many bytes: sentences of common
// characters with full-width punctuation, and a line break now and then.
std::string chineseTextGbk(std::size_t bytes);
// The same kind of text in UTF-8, of about this many bytes.
std::string chineseTextUtf8(std::size_t bytes);

// Source ONE's search page (UTF-8) with this many hits, padded to bytes.
std::string searchPageOne(int hits, std::size_t bytes);
// Source TWO's chapter index (code page 936) with this many chapter links,
// padded to bytes.
std::string chapterIndexTwo(int chapters, std::size_t bytes);
// Source ONE's chapter file (code page 936): one script call that writes
// the chapter, lines broken by <br/>, about bytes long.
std::string chapterFileOne(std::size_t bytes);
// Source TWO's chapter page (code page 936): the chapter between the
// site's two script blocks, lines broken by <br />, about bytes long.
std::string chapterPageTwo(std::size_t bytes);

// The same text converted by iconv alone; empty if iconv refuses it.
std::string utf8OfGbk(const std::string& gbk);
std::string gbkOfUtf8(const std::string& utf8);

}  // namespace qm::bench
