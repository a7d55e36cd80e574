// The chapters past the first are put together from sentence templates and
// the novel's own words, the same way on every run.
#include <cstdint>
#include <string>
#include <vector>

#include "library.h"

namespace demo {

namespace {

// {P} and {Q} a person, {L} a place, {O} a thing, {W} the weather.
const std::vector<std::string>& sentenceTemplates() {
    static const std::vector<std::string> templates = {
        "{W}，{P}沿着{L}慢慢地走，心里还惦记着那{O}。",
        "{P}把{O}放在桌上，半晌没有说话。",
        "{L}比往日安静许多，只听得见远处的水声。",
        "有人说{L}的尽头藏着一条旧路，{P}却从来没有去过。",
        "{P}忽然想起多年前的一个约定，那时候也是{W}，{O}还是新的。",
        "天色渐晚，{L}的灯一盏一盏亮了起来。",
        "{P}低声道：“今天先到这里，明天再说。”",
        "{P}数了数手里的铜钱，刚好够买一碗热汤。",
        "风从{L}吹过来，带着一点潮湿的气味。",
        "那{O}上刻着几个小字，{P}看了很久才认出来。",
        "{P}与{Q}在{L}遇见，彼此点了点头，谁也没有先开口。",
        "这一夜{P}睡得很浅，梦里总有{O}的影子。",
        "{Q}问{P}：“你还记得{L}吗？”{P}没有回答，只是笑了笑。",
        "第二天一早，{P}又去了{L}，{O}还在原来的地方。",
    };
    return templates;
}

const std::vector<std::string>& weathers() {
    static const std::vector<std::string> list = {"细雨如丝", "日头正好", "北风紧了",
                                                  "月色很淡", "雾气未散", "雪后初晴"};
    return list;
}

const std::vector<std::string>& titleTemplates() {
    static const std::vector<std::string> templates = {
        "{L}", "{O}", "夜过{L}", "寻{O}", "{L}之约", "旧{O}", "{W}", "再到{L}", "{O}的来历",
    };
    return templates;
}

// A fixed mixing of the novel, chapter and slot numbers into a choice.
std::uint32_t mix(int novel, int chapter, int slot) {
    std::uint32_t h = 2166136261u;
    for (const int part : {novel, chapter, slot}) {
        h ^= static_cast<std::uint32_t>(part);
        h *= 16777619u;
        h ^= h >> 13;
    }
    return h;
}

const std::string& pick(const std::vector<std::string>& list, std::uint32_t choice) {
    return list[choice % list.size()];
}

void replaceAllIn(std::string& text, const std::string& token, const std::string& value) {
    for (auto at = text.find(token); at != std::string::npos;
         at = text.find(token, at + value.size())) {
        text.replace(at, token.size(), value);
    }
}

std::string fillIn(std::string text, const Novel& novel, int chapter, int slot) {
    const std::uint32_t p = mix(novel.number, chapter, slot * 8 + 1);
    std::uint32_t q = mix(novel.number, chapter, slot * 8 + 2);
    if (q % novel.people.size() == p % novel.people.size()) ++q;
    replaceAllIn(text, "{P}", pick(novel.people, p));
    replaceAllIn(text, "{Q}", pick(novel.people, q));
    replaceAllIn(text, "{L}", pick(novel.places, mix(novel.number, chapter, slot * 8 + 3)));
    replaceAllIn(text, "{O}", pick(novel.things, mix(novel.number, chapter, slot * 8 + 4)));
    replaceAllIn(text, "{W}", pick(weathers(), mix(novel.number, chapter, slot * 8 + 5)));
    return text;
}

}  // namespace

std::string chineseNumber(int n) {
    static const char* const digits[] = {"零", "一", "二", "三", "四",
                                         "五", "六", "七", "八", "九"};
    static const char* const units[] = {"千", "百", "十", ""};
    if (n <= 0 || n > 9999) return std::to_string(n);
    const int parts[] = {n / 1000, n / 100 % 10, n / 10 % 10, n % 10};
    std::string text;
    bool pendingZero = false;
    for (int i = 0; i < 4; ++i) {
        if (parts[i] == 0) {
            pendingZero = !text.empty();
            continue;
        }
        if (pendingZero) text += digits[0];
        pendingZero = false;
        // 10 to 19 are read 十, 十一 ... without a leading 一.
        if (!(i == 2 && parts[i] == 1 && text.empty())) text += digits[parts[i]];
        text += units[i];
    }
    return text;
}

std::string chapterTitle(const Novel& novel, int chapter) {
    const std::string subtitle =
        chapter == 0
            ? pick(novel.places, 0)
            : fillIn(pick(titleTemplates(), mix(novel.number, chapter, 0)), novel, chapter, 0);
    return "第" + chineseNumber(chapter + 1) + "章 " + subtitle;
}

std::vector<std::string> chapterParagraphs(const Novel& novel, int chapter) {
    if (chapter == 0) return novel.firstChapter;
    // The templates are walked in steps of 5 from a chosen start, so a chapter
    // repeats none before it has used them all (their count is prime to 5).
    const std::vector<std::string>& templates = sentenceTemplates();
    std::uint32_t next = mix(novel.number, chapter, 80);
    std::vector<std::string> paragraphs;
    const int count = novel.paragraphsPerChapter > 0
                          ? novel.paragraphsPerChapter
                          : 3 + static_cast<int>(mix(novel.number, chapter, 90) % 3);
    for (int p = 0; p < count; ++p) {
        std::string paragraph;
        const int sentences = 2 + static_cast<int>(mix(novel.number, chapter, 100 + p) % 2);
        for (int s = 0; s < sentences; ++s) {
            paragraph += fillIn(pick(templates, next), novel, chapter, 10 + p * 4 + s);
            next += 5;
        }
        paragraphs.push_back(paragraph);
    }
    return paragraphs;
}

namespace {

// Whether the needle stands in the text at a character's start; ASCII letters
// compare in either case, double-byte characters only whole.
bool holds(const std::string& text, const std::string& needle) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t at = 0; at + needle.size() <= text.size();) {
        bool same = true;
        for (std::size_t i = 0; i < needle.size() && same; ++i) {
            same = lower(text[at + i]) == lower(needle[i]);
        }
        if (same) return true;
        at += static_cast<unsigned char>(text[at]) >= 0x81 ? 2 : 1;
    }
    return false;
}

}  // namespace

std::vector<const Novel*> findNovels(const std::vector<Novel>& novels, const std::string& keyword) {
    std::vector<const Novel*> found;
    if (keyword.empty()) return found;
    for (const Novel& novel : novels) {
        if (holds(novel.title, keyword) || holds(novel.author, keyword) ||
            holds(novel.latinName, keyword)) {
            found.push_back(&novel);
        }
    }
    return found;
}

}  // namespace demo
