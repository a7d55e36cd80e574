// fetchPage over loopback against a bare libcurl GET of the same address,
// in pairs within one run, so both see the same machine and the same
// server. The server runs in this process on QM_BENCH_PORT (18439 unless
// set) and serves a 200 KB chapter.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "bench/inputs.h"
#include "toolkit/fetch.h"

namespace qm::bench {

namespace {

int benchPort() {
    const char* port = std::getenv("QM_BENCH_PORT");
    return port != nullptr ? std::atoi(port) : 18439;
}

// The chapter server, started on first use and stopped at exit.
class ChapterServer {
  public:
    ChapterServer() : body_(chapterFileOne(200 * 1000)), port_(benchPort()) {
        server_.Get("/novel/1/7/1001.txt", [this](const httplib::Request&, httplib::Response& res) {
            res.set_content(body_, "text/plain");
        });
        if (server_.bind_to_port("127.0.0.1", port_)) {
            thread_ = std::thread([this] { server_.listen_after_bind(); });
            while (!server_.is_running()) std::this_thread::yield();
        }
    }
    ~ChapterServer() {
        server_.stop();
        if (thread_.joinable()) thread_.join();
    }
    ChapterServer(const ChapterServer&) = delete;
    ChapterServer& operator=(const ChapterServer&) = delete;

    bool running() const { return thread_.joinable(); }
    const std::string& body() const { return body_; }
    std::string url() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/novel/1/7/1001.txt";
    }

  private:
    std::string body_;
    int port_;
    httplib::Server server_;
    std::thread thread_;
};

ChapterServer& chapterServer() {
    static ChapterServer server;
    return server;
}

std::size_t appendTo(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

// The least a program does to GET a page with libcurl.
std::string bareCurlGet(const std::string& url) {
    std::string body;
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, appendTo);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    const CURLcode rc = curl_easy_perform(easy);
    curl_easy_cleanup(easy);
    return rc == CURLE_OK ? body : std::string();
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void fetchPageVersusBareCurl(benchmark::State& state) {
    ChapterServer& server = chapterServer();
    if (!server.running()) {
        state.SkipWithError("the chapter server could not listen");
        return;
    }
    const std::string url = server.url();
    double fetchSeconds = 0;
    double curlSeconds = 0;
    bool same = true;
    bool fetchFirst = true;
    for (auto _ : state) {
        // Alternating the order keeps any advantage of going second fair.
        for (int turn = 0; turn < 2; ++turn) {
            const bool viaFetchPage = (turn == 0) == fetchFirst;
            const auto start = std::chrono::steady_clock::now();
            const std::string body = viaFetchPage ? fetchPage(url) : bareCurlGet(url);
            (viaFetchPage ? fetchSeconds : curlSeconds) += secondsSince(start);
            same = same && body == server.body();
        }
        fetchFirst = !fetchFirst;
    }
    if (!same) state.SkipWithError("a fetch did not return the chapter");
    using benchmark::Counter;
    state.counters["fetchPage_us"] = Counter(fetchSeconds * 1e6, Counter::kAvgIterations);
    state.counters["bare_curl_us"] = Counter(curlSeconds * 1e6, Counter::kAvgIterations);
    state.counters["ratio"] = curlSeconds > 0 ? fetchSeconds / curlSeconds : 0;
}
BENCHMARK(fetchPageVersusBareCurl)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

}  // namespace qm::bench
