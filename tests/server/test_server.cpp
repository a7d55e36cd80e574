// The loopback server the test suites talk to.
//   qm-test-server --port N --fixtures DIR
// Serves the files under DIR byte for byte at their relative paths (any query
// ignored; the one exception: "{{QM_TEST_SERVER}}" in a file becomes this
// server's address as the client named it, "http://127.0.0.1:PORT/", for
// pages that must hold absolute links to the server itself), records every
// request's raw target (GET /_requests lists them, one per line; GET /_reset
// forgets them), and answers the fault routes below.
//
// GET /slow/MS/PATH serves the fixture at PATH after MS milliseconds (at
// most five seconds), for a fetch that takes its time. Below it, a chapter
// file that is not there is made up, naming its own PATH: a source ONE text
// (".txt") or a source TWO chapter page (".html" under "files/article/").
#include <httplib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::mutex requestsMutex;
std::vector<std::string> requests;

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

// The fixture at path, with "{{QM_TEST_SERVER}}" as this server's address;
// false when there is none.
bool fixtureBody(const std::string& fixtures, const std::string& path, const httplib::Request& req,
                 std::string& body) {
    if (path.find("..") != std::string::npos || !readFile(fixtures + path, body)) return false;
    const std::string token = "{{QM_TEST_SERVER}}";
    const std::string self = "http://" + req.get_header_value("Host") + "/";
    for (auto at = body.find(token); at != std::string::npos; at = body.find(token, at)) {
        body.replace(at, token.size(), self);
        at += self.size();
    }
    return true;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A chapter made up for a path that has no fixture; false for other paths.
bool madeUpChapter(const std::string& path, std::string& body) {
    if (endsWith(path, ".txt")) {
        body = "document.write('" + path + "<br/>');";
        return true;
    }
    if (endsWith(path, ".html") && path.find("/files/article/") != std::string::npos) {
        body = "<div><script src=\"gg.js\" type=\"text/javascript\"></script></div>" + path +
               "<div align=\"center\"><script type=\"text/javascript\"></script></div>";
        return true;
    }
    return false;
}

void addSlowRoute(httplib::Server& server, const std::string& fixtures) {
    server.Get(R"(/slow/(\d+)(/.*))",
               [&fixtures](const httplib::Request& req, httplib::Response& res) {
                   const long ms = std::min(std::atol(req.matches[1].str().c_str()), 5000L);
                   std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                   const std::string path = req.matches[2].str();
                   std::string body;
                   if (!fixtureBody(fixtures, path, req, body) && !madeUpChapter(path, body)) {
                       res.status = 404;
                       body = "no such fixture";
                   }
                   res.set_content(body, "application/octet-stream");
               });
}

void addFaultRoutes(httplib::Server& server) {
    // A body with a zero byte inside.
    server.Get("/fault/zero-inside", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string("abc\0def", 7), "application/octet-stream");
    });
    // An error status with a body: the body is the result all the same.
    server.Get("/fault/not-found", [](const httplib::Request&, httplib::Response& res) {
        res.status = 404;
        res.set_content("missing page body", "text/html");
    });
    // Accepts and never answers (long enough to outlast any shortened bound).
    server.Get("/fault/never", [](const httplib::Request&, httplib::Response& res) {
        std::this_thread::sleep_for(std::chrono::seconds(20));
        res.set_content("too late", "text/plain");
    });
    // A redirect to a file: address, the one given as ?to= or a system file.
    server.Get("/fault/redirect-file", [](const httplib::Request& req, httplib::Response& res) {
        res.set_redirect(req.has_param("to") ? req.get_param_value("to") : "file:///etc/passwd");
        res.set_content("the body of the redirect", "text/plain");
    });
    server.Get("/fault/redirect-ok", [](const httplib::Request&, httplib::Response& res) {
        res.set_redirect("/fault/landing");
        res.set_content("the body of the redirect", "text/plain");
    });
    server.Get("/fault/landing", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("landed", "text/plain");
    });
    // ?bytes=N bytes of "x", for the body limit.
    server.Get("/fault/sized", [](const httplib::Request& req, httplib::Response& res) {
        const std::size_t asked = std::strtoull(req.get_param_value("bytes").c_str(), nullptr, 10);
        const std::size_t bytes = std::min<std::size_t>(asked, 256u << 20);
        res.set_content(std::string(bytes, 'x'), "application/octet-stream");
    });
    // One byte more than the 64 MiB cap.
    server.Get("/fault/oversize", [](const httplib::Request&, httplib::Response& res) {
        const std::size_t total = (64u << 20) + 1;
        res.set_content_provider(
            total, "application/octet-stream",
            [](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                static const std::string chunk(1 << 16, 'x');
                (void)offset;
                sink.write(chunk.data(), std::min(length, chunk.size()));
                return true;
            });
    });
}

}  // namespace

int main(int argc, char** argv) {
    int port = 0;
    std::string fixtures = ".";
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string flag = argv[i];
        if (flag == "--port") port = std::atoi(argv[i + 1]);
        if (flag == "--fixtures") fixtures = argv[i + 1];
    }
    if (port <= 0) {
        std::cerr << "usage: qm-test-server --port N --fixtures DIR\n";
        return 2;
    }

    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(16); };
    server.set_pre_routing_handler([](const httplib::Request& req, httplib::Response&) {
        if (req.path != "/_requests" && req.path != "/_reset") {
            std::lock_guard<std::mutex> lock(requestsMutex);
            requests.push_back(req.target);
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.Get("/_requests", [](const httplib::Request&, httplib::Response& res) {
        std::lock_guard<std::mutex> lock(requestsMutex);
        std::string all;
        for (const auto& r : requests) all += r + "\n";
        res.set_content(all, "text/plain");
    });
    server.Get("/_reset", [](const httplib::Request&, httplib::Response& res) {
        std::lock_guard<std::mutex> lock(requestsMutex);
        requests.clear();
        res.set_content("ok", "text/plain");
    });
    addFaultRoutes(server);
    addSlowRoute(server, fixtures);
    server.Get(".*", [&fixtures](const httplib::Request& req, httplib::Response& res) {
        std::string body;
        if (!fixtureBody(fixtures, req.path, req, body)) {
            res.status = 404;
            res.set_content("no such fixture", "text/plain");
            return;
        }
        res.set_content(body, "application/octet-stream");
    });
    std::cout << "qm-test-server on 127.0.0.1:" << port << std::endl;
    return server.listen("127.0.0.1", port) ? 0 : 1;
}
