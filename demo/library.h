// The demo site's sample novels: short original texts written for this
// project. Every text here is code page 936, as compiled.
#pragma once

#include <string>
#include <vector>

namespace demo {

struct Novel {
    int number;           // the site's own number of the novel
    std::string bookKey;  // as the site writes it in its links
    std::string title;
    std::string author;
    std::string latinName;  // found by Latin keywords as well
    std::string blurb;
    int chapterCount;
    // Words the generated chapters and their titles are made of.
    std::vector<std::string> people, places, things;
    std::vector<std::string> firstChapter;  // paragraphs, written by hand
    // Paragraphs of a generated chapter: 0 for three to five, as in most
    // serials; more for a novel of long chapters (about 20 KB at 133).
    int paragraphsPerChapter = 0;
};

const std::vector<Novel>& novelsOfSiteOne();
const std::vector<Novel>& novelsOfSiteTwo();

// The novels whose title, author or Latin name holds the keyword (Latin
// letters in any case). An empty keyword finds nothing.
std::vector<const Novel*> findNovels(const std::vector<Novel>& novels, const std::string& keyword);

// Chapters count from 0: the title ("第十二章 雾港码头") and the paragraphs.
std::string chapterTitle(const Novel& novel, int chapter);
std::vector<std::string> chapterParagraphs(const Novel& novel, int chapter);

// 1 -> 一, 12 -> 十二, 105 -> 一百零五, 420 -> 四百二十 (up to 9999).
std::string chineseNumber(int n);

}  // namespace demo
