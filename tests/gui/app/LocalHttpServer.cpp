#include <winsock2.h>
#include <ws2tcpip.h>

#include "app/LocalHttpServer.h"

#include "driver/Error.h"
#include "driver/Wait.h"

#include <algorithm>
#include <chrono>

namespace update_test {

namespace {

// How long a run waits for another run (of the other architecture, or of another person) to free the port.
constexpr driver::Timeout kPortWait{120000};
// How long one connection may keep the server waiting for the client's next bytes.
constexpr DWORD kSocketWaitMs = 15000;

// Winsock for the whole test program, started once.
void StartWinsock()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) throw driver::DriverError("WSAStartup failed");
}

const char* ReasonOf(int status)
{
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    default: return "Status";
    }
}

// Sends all of data; false when the client has gone.
bool SendAll(SOCKET socket, const std::string& data)
{
    std::size_t sent = 0;
    while (sent < data.size()) {
        const int chunk = static_cast<int>(std::min<std::size_t>(data.size() - sent, 64 * 1024));
        const int n = send(socket, data.data() + sent, chunk, 0);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

// The value of a header in a request head ("User-Agent"), letter case of the name ignored.
std::string HeaderValue(const std::string& head, const std::string& name)
{
    std::size_t start = head.find("\r\n");
    while (start != std::string::npos && start + 2 < head.size()) {
        const std::size_t end = head.find("\r\n", start + 2);
        const std::string line = head.substr(start + 2, end == std::string::npos ? std::string::npos : end - start - 2);
        const std::size_t colon = line.find(':');
        if (colon == name.size() && _strnicmp(line.c_str(), name.c_str(), name.size()) == 0) {
            const std::size_t value = line.find_first_not_of(' ', colon + 1);
            return value == std::string::npos ? std::string() : line.substr(value);
        }
        start = end;
    }
    return std::string();
}

}  // namespace

LocalHttpServer::LocalHttpServer(Behaviour behaviour) : behaviour_(behaviour)
{
    StartWinsock();
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    listener_ = listener;
    if (listener == INVALID_SOCKET) throw driver::DriverError("socket failed");
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(kUpdatePort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // The fixed port also keeps two runs of these tests apart: the second waits for the first to finish.
    if (!driver::PollUntil([&] { return bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0; },
                           kPortWait)) {
        closesocket(static_cast<SOCKET>(listener_));
        throw driver::DriverError("port " + std::to_string(kUpdatePort) + " of 127.0.0.1 stays taken");
    }
    if (behaviour_ == Behaviour::Refuse) return;
    if (listen(listener, 8) != 0) {
        closesocket(static_cast<SOCKET>(listener_));
        throw driver::DriverError("listen failed");
    }
    thread_ = std::thread([this] { Run(); });
}

LocalHttpServer::~LocalHttpServer()
{
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    for (std::uintptr_t held : held_) closesocket(static_cast<SOCKET>(held));
    closesocket(static_cast<SOCKET>(listener_));
}

void LocalHttpServer::Serve(const std::string& path, const std::string& body, int status)
{
    std::lock_guard<std::mutex> lock(mutex_);
    responses_[path] = Response{status, {body}};
}

void LocalHttpServer::ServeInPieces(const std::string& path, const std::vector<std::string>& pieces,
                                    std::chrono::milliseconds pause)
{
    std::lock_guard<std::mutex> lock(mutex_);
    responses_[path] = Response{200, pieces, pause};
}

void LocalHttpServer::HoldSilently(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    silentPaths_.push_back(path);
}

std::vector<LocalHttpServer::Request> LocalHttpServer::Requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::vector<std::string> LocalHttpServer::RequestLines() const
{
    std::vector<std::string> lines;
    for (const Request& request : Requests()) lines.push_back(request.line);
    return lines;
}

void LocalHttpServer::Run()
{
    while (!stopping_) {
        // Wakes up now and then to see whether the test is over.
        fd_set readable;
        FD_ZERO(&readable);
        const SOCKET listener = static_cast<SOCKET>(listener_);
        FD_SET(listener, &readable);
        timeval wait = {0, 50000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
        const SOCKET client = accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        Handle(client);
    }
}

void LocalHttpServer::Handle(std::uintptr_t socketValue)
{
    const SOCKET client = static_cast<SOCKET>(socketValue);
    const DWORD wait = kSocketWaitMs;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
    setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);

    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 64 * 1024) {
        const int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    const std::string line = head.substr(0, head.find("\r\n"));
    Response response{404, {"<html><body><h1>404 Not Found</h1></body></html>"}};
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(Request{line, HeaderValue(head, "User-Agent")});
        const std::size_t pathStart = line.find(' ');
        const std::size_t pathEnd = line.find(' ', pathStart + 1);
        const std::string path = pathStart != std::string::npos && pathEnd != std::string::npos
                                     ? line.substr(pathStart + 1, pathEnd - pathStart - 1)
                                     : std::string();
        if (behaviour_ == Behaviour::Silent ||
            std::find(silentPaths_.begin(), silentPaths_.end(), path) != silentPaths_.end()) {
            held_.push_back(client);
            return;
        }
        const auto found = responses_.find(path);
        if (found != responses_.end()) response = found->second;
    }
    std::size_t length = 0;
    for (const std::string& piece : response.pieces) length += piece.size();
    const std::string replyHead = "HTTP/1.1 " + std::to_string(response.status) + " " + ReasonOf(response.status) +
                                  "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(length) +
                                  "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n";
    bool sent = SendAll(client, replyHead + (response.pieces.empty() ? std::string() : response.pieces[0]));
    for (std::size_t i = 1; sent && i < response.pieces.size(); ++i) {
        std::this_thread::sleep_for(response.pause);
        sent = SendAll(client, response.pieces[i]);
    }
    if (sent) {
        // The client closes first, so this end of the port is not left waiting (TIME_WAIT) for the next test.
        while (recv(client, buffer, sizeof buffer, 0) > 0) {
        }
    }
    closesocket(client);
}

}  // namespace update_test
