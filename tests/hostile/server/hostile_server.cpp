// The hostile loopback server: one misbehaviour per path, for proving that a
// fetch keeps its bounds whatever a server does. Plain sockets, because most
// of these faults (a body cut short, a reset, a drip, a silence) are ones an
// HTTP library will not commit.
//   qm-hostile-server --port N
//
// Faults of the transfer:
//   /silent              reads the request and never answers
//   /drip                a status line, then one body byte a second
//   /huge/BYTES          a body of BYTES "x" with its Content-Length
//   /zeros               zero bytes without end (no Content-Length)
//   /short               a Content-Length of 1000, ten bytes, then a close
//   /reset               64 KiB of a 1 MiB body, then a connection reset
//   /loop                a redirect to itself
//   /redirect?to=URL     a redirect to URL (percent-encoded in the query)
//   /gzip-bomb           a gzip body that inflates to 256 MiB of "A"
//   /error               status 500 with a body
// Literals are code page 936 bytes, as in the whole build; u8"" ones UTF-8.
//
// Pages, served for any path below /KIND/BYTES/ whatever the query, shaped
// for the operation that asks (by how the path ends): a source ONE search
// page (".../search"), a source ONE chapter text (".txt"), a source TWO
// search page (".../search.php"), a source TWO chapter index ("index.html"),
// and otherwise a source ONE novel page. Each holds two hits (rows "1" and
// "2") and BYTES of KIND:
//   long-line     text without a line break between the hits (in a chapter
//                 text: the chapter itself)
//   invalid-utf8  bytes that are no UTF-8 between the hits, and one in the
//                 first title (source ONE pages)
//   bait          after the hits, unclosed starts of the page's own pattern,
//                 which send a lazy group to the end of the page at each one
//   bait-table    the same for source TWO's results table
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <strings.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace {

constexpr std::size_t kMiB = 1u << 20;
// How long a connection may hold one of this server's threads.
constexpr int kLongestHoldSeconds = 120;

std::string utf8(const char8_t* text) {
    return std::string(reinterpret_cast<const char*>(text));
}

bool sendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t sent = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// Sends count bytes of value, as fast as the client takes them.
bool sendRepeated(int fd, char value, std::size_t count) {
    const std::string block(64 * 1024, value);
    while (count > 0) {
        const std::size_t n = std::min(count, block.size());
        if (!sendAll(fd, std::string_view(block).substr(0, n))) return false;
        count -= n;
    }
    return true;
}

// True once the client has closed its end (or ms have passed without that).
bool clientGoneWithin(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0) return false;
    char c;
    return recv(fd, &c, 1, MSG_DONTWAIT) <= 0;
}

std::string head(int status, const std::string& reason, const std::string& headers) {
    return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\n" + headers +
           "Connection: close\r\n\r\n";
}

std::string withLength(int status, const std::string& reason, const std::string& body,
                       const std::string& headers = "") {
    return head(status, reason,
                headers + "Content-Length: " + std::to_string(body.size()) + "\r\n") +
           body;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string queryValue(std::string_view query, std::string_view key) {
    for (std::size_t at = 0; at <= query.size();) {
        const std::size_t end = std::min(query.find('&', at), query.size());
        const std::string_view pair = query.substr(at, end - at);
        if (pair.size() > key.size() && pair.substr(0, key.size()) == key &&
            pair[key.size()] == '=') {
            return percentDecoded(pair.substr(key.size() + 1));
        }
        at = end + 1;
    }
    return {};
}

void appendLittleEndian(std::string& out, uLong value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// gzip of 256 MiB of "A", made once and cheaply: a mebibyte deflated with a
// full flush comes out as the same bytes every time, so the stream is that
// block 256 times over, an empty final block, and the checksum of the whole.
const std::string& gzipBomb() {
    static std::once_flag once;
    static std::string bomb;
    std::call_once(once, [] {
        constexpr int kBlocks = 256;
        std::string input(kMiB, 'A');
        std::string block(kMiB, '\0');
        char end[64];
        z_stream z{};
        deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
        z.next_in = reinterpret_cast<Bytef*>(input.data());
        z.avail_in = static_cast<uInt>(input.size());
        z.next_out = reinterpret_cast<Bytef*>(block.data());
        z.avail_out = static_cast<uInt>(block.size());
        deflate(&z, Z_FULL_FLUSH);
        block.resize(block.size() - z.avail_out);
        z.next_out = reinterpret_cast<Bytef*>(end);
        z.avail_out = sizeof end;
        deflate(&z, Z_FINISH);
        const std::string finalBlock(end, sizeof end - z.avail_out);
        deflateEnd(&z);

        const uLong blockCrc =
            crc32(0, reinterpret_cast<const Bytef*>(input.data()), static_cast<uInt>(input.size()));
        uLong crc = blockCrc;
        for (int i = 1; i < kBlocks; ++i) crc = crc32_combine(crc, blockCrc, kMiB);
        bomb = std::string("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10);
        for (int i = 0; i < kBlocks; ++i) bomb += block;
        bomb += finalBlock;
        appendLittleEndian(bomb, crc);
        appendLittleEndian(bomb, static_cast<uLong>(kBlocks) * kMiB);
    });
    return bomb;
}

// --- Pages ---

enum class PageKind { oneSearch, oneNovel, oneChapterText, twoSearch, twoTable, twoIndex };

PageKind pageKindOf(std::string_view rest) {
    auto endsWith = [&](std::string_view tail) {
        return rest.size() >= tail.size() && rest.substr(rest.size() - tail.size()) == tail;
    };
    if (endsWith("search.php")) return PageKind::twoSearch;
    if (endsWith("index.html")) return PageKind::twoIndex;
    if (endsWith(".txt")) return PageKind::oneChapterText;
    if (endsWith("search")) return PageKind::oneSearch;
    return PageKind::oneNovel;
}

// One hit of the page's own pattern; base is the site's address as the
// client named it (source TWO's patterns hold it).
std::string hit(PageKind kind, const std::string& base, const std::string& key) {
    switch (kind) {
        case PageKind::oneSearch:
            return utf8(u8"《<a name= '") + key + "' href= '/" + key +
                   "/' class='bookLink' target='_blank'>" + utf8(u8"书") + key + utf8(u8"</a>》");
        case PageKind::oneNovel:
            return "<a name='" + key + "' id='" + key + "'class='bookLink' title='" + key +
                   "' href='#'>";
        case PageKind::twoSearch:
            return "<b><a href=\"" + base + "files/article/" + key + "/index.html\" alt=\"" + key +
                   "\" title=\"\">";
        case PageKind::twoTable:
            return "    <td class=\"odd\"><a href=\"" + base + "info_" + key + ".html\">" + key +
                   "</a></td>\r\n    <td class=\"even\"><a href=\"" + base + "files/article/" +
                   key + "/index.html\" target=\"_blank\">" + key + "</a></td>\r\n";
        case PageKind::twoIndex:
            return "<td><div class=\"dccss\"><a href=\"" + key + ".html\" alt=\"" + key + "\">" +
                   key + "</a></div></td>";
        case PageKind::oneChapterText:
            break;
    }
    return {};
}

// Unclosed starts of the page's pattern: each sends a lazy group looking
// for its closing literal through the rest of the page.
std::string bait(PageKind kind, const std::string& base) {
    switch (kind) {
        case PageKind::oneSearch:
            return utf8(u8"《<a name= 'k") + utf8(u8"《<a name= 'k' href= '/k");
        case PageKind::oneNovel:
            return "<a name='k<a name='k' id='k";
        case PageKind::twoSearch:
            return "<b><a href=\"" + base + "files/article/k<b><a href=\"" + base +
                   "files/article/kindex.html\" alt=\"k";
        case PageKind::twoTable:
            return "    <td class=\"odd\"><a href=\"" + base +
                   "info_k    <td class=\"odd\"><a href=\"" + base +
                   "info_k.html\">k</a></td>\r\n    <td class=\"even\"><a href=\"" + base +
                   "files/article/k";
        case PageKind::twoIndex:
            return "<td><div class=\"dccss\"><a href=\"k\" alt=\"k<td><div class=\"dccss\"><a "
                   "href=\"k";
        case PageKind::oneChapterText:
            break;
    }
    return {};
}

// No UTF-8: a lone continuation byte, an overlong form, a cut sequence, a
// surrogate, bytes that never occur.
std::string invalidUtf8() {
    return std::string("\x80 \xC0\xAF \xE4\xB8 \xED\xA0\x80 \xF5\xFF\xFE ", 16);
}

std::string filler(const std::string& unit, std::size_t bytes) {
    std::string out;
    out.reserve(bytes + unit.size());
    while (out.size() < bytes) out += unit;
    return out;
}

std::string page(std::string_view kindName, std::size_t bytes, std::string_view rest,
                 const std::string& base) {
    PageKind kind = pageKindOf(rest);
    // Source TWO's results table; its click-to-read cards otherwise.
    if (kindName == "bait-table" && kind == PageKind::twoSearch) kind = PageKind::twoTable;
    const bool gbk = kind == PageKind::twoSearch || kind == PageKind::twoTable ||
                     kind == PageKind::twoIndex || kind == PageKind::oneChapterText;
    if (kind == PageKind::oneChapterText) {
        return "document.write('" + filler("<span>中文</span> ", bytes) + "<br/>end');";
    }
    const std::string first = kindName == "invalid-utf8" && kind == PageKind::oneSearch
                                  // A title with a bad byte inside: "?" there after conversion.
                                  ? utf8(
                                        u8"《<a name= '1' href= '/1/' class='bookLink' "
                                        u8"target='_blank'>书") +
                                        "\x80" + utf8(u8"1</a>》")
                                  : hit(kind, base, "1");
    const std::string second = hit(kind, base, "2");
    // The word that makes a source TWO search page one of click-to-read cards.
    const std::string cardsWord = kind == PageKind::twoSearch ? "点击阅读" : "";
    if (kindName == "bait" || kindName == "bait-table") {
        // The hits first: after them, nothing but unclosed starts.
        return "<html>" + cardsWord + first + second + filler(bait(kind, base), bytes);
    }
    const std::string middle =
        kindName == "invalid-utf8"
            ? filler(invalidUtf8(), bytes)
            : filler(gbk ? "<span>中文</span> " : utf8(u8"<span>中文</span> "), bytes);
    return "<html>" + cardsWord + first + middle + second + "</html>";
}

// --- Requests ---

struct Request {
    std::string path;
    std::string query;
    std::string host;
};

bool readRequest(int fd, Request& request) {
    std::string data;
    char buffer[4096];
    while (data.find("\r\n\r\n") == std::string::npos) {
        if (data.size() > 64 * 1024) return false;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 10'000) <= 0) return false;
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t lineEnd = data.find("\r\n");
    const std::string line = data.substr(0, lineEnd);
    const std::size_t first = line.find(' ');
    const std::size_t second = line.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) return false;
    const std::string target = line.substr(first + 1, second - first - 1);
    const std::size_t q = target.find('?');
    request.path = target.substr(0, q);
    request.query = q == std::string::npos ? "" : target.substr(q + 1);
    for (std::size_t at = lineEnd + 2; at < data.size();) {
        const std::size_t end = data.find("\r\n", at);
        const std::string header = data.substr(at, end - at);
        if (header.size() > 5 && strncasecmp(header.c_str(), "host:", 5) == 0) {
            request.host = header.substr(5);
            request.host.erase(0, request.host.find_first_not_of(' '));
        }
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return true;
}

// The path's first segment, and what follows it.
std::pair<std::string_view, std::string_view> splitFirst(std::string_view path) {
    if (!path.empty() && path.front() == '/') path.remove_prefix(1);
    const std::size_t slash = path.find('/');
    if (slash == std::string_view::npos) return {path, {}};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

void answer(int fd, const Request& request) {
    const auto [name, rest] = splitFirst(request.path);
    if (name == "silent") {
        for (int s = 0; s < kLongestHoldSeconds && !clientGoneWithin(fd, 1000); ++s) {
        }
    } else if (name == "drip") {
        if (!sendAll(fd, head(200, "OK", "Content-Type: text/plain\r\n"))) return;
        for (int s = 0; s < kLongestHoldSeconds; ++s) {
            if (!sendAll(fd, "d") || clientGoneWithin(fd, 1000)) return;
        }
    } else if (name == "huge") {
        const std::size_t bytes = std::strtoull(std::string(rest).c_str(), nullptr, 10);
        if (sendAll(fd, head(200, "OK", "Content-Length: " + std::to_string(bytes) + "\r\n"))) {
            sendRepeated(fd, 'x', bytes);
        }
    } else if (name == "zeros") {
        if (sendAll(fd, head(200, "OK", "Content-Type: application/octet-stream\r\n"))) {
            sendRepeated(fd, '\0', std::size_t{64} << 30);
        }
    } else if (name == "short") {
        sendAll(fd, head(200, "OK", "Content-Length: 1000\r\n") + "only a bit");
    } else if (name == "reset") {
        if (sendAll(fd, head(200, "OK", "Content-Length: 1048576\r\n"))) {
            sendRepeated(fd, 'r', 64 * 1024);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        const linger abortive{1, 0};  // close sends RST
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    } else if (name == "loop") {
        sendAll(fd, withLength(302, "Found", "round again", "Location: /loop\r\n"));
    } else if (name == "redirect") {
        sendAll(fd, withLength(302, "Found", "the redirect's own body",
                               "Location: " + queryValue(request.query, "to") + "\r\n"));
    } else if (name == "gzip-bomb") {
        sendAll(fd, withLength(200, "OK", gzipBomb(),
                               "Content-Type: text/html\r\nContent-Encoding: gzip\r\n"));
    } else if (name == "error") {
        sendAll(fd, withLength(500, "Internal Server Error", "the body of an error page"));
    } else if (name == "long-line" || name == "invalid-utf8" || name == "bait" ||
               name == "bait-table") {
        const auto [size, below] = splitFirst(rest);
        const std::size_t bytes = std::strtoull(std::string(size).c_str(), nullptr, 10);
        const std::string base =
            "http://" + request.host + "/" + std::string(name) + "/" + std::string(size) + "/";
        sendAll(fd, withLength(200, "OK", page(name, std::min(bytes, 256 * kMiB), below, base)));
    } else {
        sendAll(fd, withLength(404, "Not Found", "no such misbehaviour"));
    }
}

void serve(int fd) {
    Request request;
    if (readRequest(fd, request)) answer(fd, request);
    close(fd);
}

}  // namespace

int main(int argc, char** argv) {
    int port = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--port") port = std::atoi(argv[i + 1]);
    }
    if (port <= 0) {
        std::cerr << "usage: qm-hostile-server --port N\n";
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 128) != 0) {
        std::cerr << "qm-hostile-server: cannot listen on 127.0.0.1:" << port << "\n";
        return 1;
    }
    std::cout << "qm-hostile-server on 127.0.0.1:" << port << std::endl;
    for (;;) {
        const int fd = accept(listener, nullptr, nullptr);
        if (fd < 0) continue;
        std::thread(serve, fd).detach();
    }
}
