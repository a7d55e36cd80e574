// The demo site: both novel sites and the text server on one loopback port,
// filled with the team's own sample novels.
//   quillmere-demo [--port N]
// Logs each request it answers to stdout.
#include <httplib.h>

#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>

#include "sites.h"

int main(int argc, char** argv) {
    int port = QM_DEMO_PORT;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--port" && i + 1 < argc) {
            port = std::atoi(argv[++i]);
        } else {
            std::cerr << "usage: quillmere-demo [--port N]\n";
            return 2;
        }
    }
    if (port <= 0 || port > 65535) {
        std::cerr << "quillmere-demo: no such port\n";
        return 2;
    }

    httplib::Server server;
    demo::addFrontPage(server);
    demo::addSiteOne(server);
    demo::addSiteTwo(server, port);

    std::mutex logMutex;
    server.set_logger([&logMutex](const httplib::Request& req, const httplib::Response& res) {
        std::lock_guard<std::mutex> lock(logMutex);
        std::cout << req.method << ' ' << req.target << ' ' << res.status << std::endl;
    });

    std::cout << "quillmere-demo on http://127.0.0.1:" << port << "/" << std::endl;
    if (!server.listen("127.0.0.1", port)) {
        std::cerr << "quillmere-demo: cannot listen on port " << port << "\n";
        return 1;
    }
    return 0;
}
