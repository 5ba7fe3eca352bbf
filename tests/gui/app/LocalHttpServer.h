// A small HTTP server on 127.0.0.1 inside the test program, for the update check of Tessaly_localhost.exe (whose
// update server is 127.0.0.1 on the port the build fixes). It records every request and answers from a table of
// paths (at once, or in pieces with pauses between them), keeps the connection without a word, or refuses it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace update_test {

// The port of Tessaly_localhost.exe's update server.
constexpr unsigned short kUpdatePort = TESSALY_TEST_UPDATE_PORT;

class LocalHttpServer {
public:
    enum class Behaviour {
        Answer,  // answers each request from the table; an unknown path gets a 404 page
        Silent,  // accepts, reads the request and never answers
        Refuse,  // holds the port without listening: every connection is refused
    };

    struct Request {
        std::string line;       // "GET /kessa/soft/ver/Tessaly.txt HTTP/1.1"
        std::string userAgent;  // the User-Agent header's value
    };

    // Takes the port, waiting (with a deadline) while another test run holds it; throws when it stays taken.
    explicit LocalHttpServer(Behaviour behaviour = Behaviour::Answer);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // What a GET of path is answered with.
    void Serve(const std::string& path, const std::string& body, int status = 200);
    // A GET of path is answered with the body pieces joined (status 200): the head and the first piece at once,
    // then each further piece in a write of its own after the pause.
    void ServeInPieces(const std::string& path, const std::vector<std::string>& pieces,
                       std::chrono::milliseconds pause);
    // A GET of path is read and never answered, whatever the behaviour.
    void HoldSilently(const std::string& path);

    // Requests received so far, in order.
    std::vector<Request> Requests() const;
    std::vector<std::string> RequestLines() const;

private:
    struct Response {
        int status;
        std::vector<std::string> pieces;
        std::chrono::milliseconds pause{0};
    };

    void Run();
    void Handle(std::uintptr_t client);

    Behaviour behaviour_;
    // Winsock sockets, kept as integers so that this header needs no Winsock header.
    std::uintptr_t listener_ = ~std::uintptr_t(0);
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Response> responses_;
    std::vector<std::string> silentPaths_;
    std::vector<Request> requests_;
    std::vector<std::uintptr_t> held_;
    std::thread thread_;
};

}  // namespace update_test
