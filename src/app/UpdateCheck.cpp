// The start-up check for a newer version on the maker's server.
#include "app/Unit1.h"

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/UpdateServer.h"
#include "app/rules/VersionText.h"
#include "dialogs/Unit3.h"
#include "settings/Schema.h"
#include "ui/Application.h"
#include "ui/Handles.h"
#include "ui/Dialogs.h"

namespace {

const char* const kAgent = "MyApp";
// Each read asks for 1024 bytes; a buffer holds them and the 0 that ends the text.
constexpr DWORD kReadSize = 1024;
constexpr std::size_t kBufferSize = 1026;
// The longest a fetch may take. The system's own time-outs are far longer (or endless under Wine), and a server
// that accepts the connection but never answers must not hold up start-up.
constexpr std::chrono::milliseconds kFetchTime(8000);

// An Internet handle, closed when it goes.
using InternetHandle = ui::UniqueHandle<HINTERNET, InternetCloseHandle>;

// A resource of the server opened for reading. The members close in reverse order: the request, the connection,
// then the Internet handle.
struct OpenedResource {
    InternetHandle internet;
    InternetHandle connection;
    InternetHandle request;
};

// The moment a fetch gives up.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds span) : end_(Clock::now() + span) {}
    // Milliseconds left; 0 once the deadline has passed.
    DWORD Left() const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now()).count();
        return left > 0 ? static_cast<DWORD>(left) : 0;
    }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point end_;
};

// Lets each wait of the request (connecting, sending, receiving) last at most what is left of the deadline.
// False when nothing is left. Wine honours these time-outs only on a request handle, not on the Internet handle.
bool LimitWaits(HINTERNET request, const Deadline& deadline) {
    DWORD left = deadline.Left();
    if (left == 0) return false;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        InternetSetOptionA(request, option, &left, sizeof left);
    }
    return true;
}

// Opens url (plain HTTP, GET, the system's default caching and redirection) with the agent "MyApp". The request
// stays empty when the server cannot be reached or does not answer before the deadline.
OpenedResource OpenResource(const std::string& url, const Deadline& deadline) {
    OpenedResource resource;
    char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    char path[INTERNET_MAX_PATH_LENGTH + 1] = {};
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    if (!InternetCrackUrlA(url.c_str(), 0, 0, &parts)) return resource;

    resource.internet = InternetHandle(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!resource.internet) return resource;
    // Connecting and asking one by one rather than through InternetOpenUrlA: only a request handle takes the
    // time-outs before the first wait.
    resource.connection = InternetHandle(InternetConnectA(resource.internet.get(), host, parts.nPort, nullptr,
                                                          nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!resource.connection) return resource;
    InternetHandle request(HttpOpenRequestA(resource.connection.get(), "GET", path, nullptr, nullptr, nullptr, 0, 0));
    if (!request || !LimitWaits(request.get(), deadline)) return resource;
    if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) return resource;
    resource.request = std::move(request);
    return resource;
}

// True when the server delivered the resource itself (status 200), not an error page.
bool IsDelivered(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    return HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
           status == HTTP_STATUS_OK;
}

// The version the server offers: the text of a version file of at most 1024 bytes that arrived whole, read 1024
// bytes at a time. Anything else (an error page, a line break, a longer file, a transfer that broke off) is "0".
std::string ReadVersionText(HINTERNET request, const Deadline& deadline) {
    if (!IsDelivered(request)) return "0";
    char buffer[kBufferSize];
    std::string received;
    for (;;) {
        if (!LimitWaits(request, deadline)) return "0";
        DWORD count = kReadSize;
        if (!InternetReadFile(request, buffer, kReadSize, &count)) return "0";
        if (count == 0) break;
        buffer[count] = '\0';
        // A second piece would make the file longer than any version number.
        if (received.size() + count > kReadSize) return "0";
        received.append(buffer, count);
    }
    const std::string text = app::ReceivedText(received);
    return app::IsVersionText(text) ? text : "0";
}

// The release comment, fetched through an Internet handle of its own: the text of the last read (a comment of at
// most 1024 bytes comes in one read); empty when the file cannot be fetched whole.
std::string ReadComment(const std::string& url) {
    const Deadline deadline(kFetchTime);
    const OpenedResource comment = OpenResource(url, deadline);
    if (!comment.request || !IsDelivered(comment.request.get())) return std::string();
    char buffer[kBufferSize] = {};
    for (;;) {
        if (!LimitWaits(comment.request.get(), deadline)) return std::string();
        DWORD count = kReadSize;
        if (!InternetReadFile(comment.request.get(), buffer, kReadSize, &count)) return std::string();
        if (count == 0) break;
        buffer[count] = '\0';
    }
    return std::string(buffer);
}

// The program's own version: the caption of Label2 of an About box that is made for the purpose and never shown.
std::string OwnVersion(TForm1* owner) {
    const auto release = [](TAboutBox* box) { box->Release(); };
    const std::unique_ptr<TAboutBox, decltype(release)> box(new TAboutBox(owner), release);
    return box->Label2->Caption();
}

}  // namespace

void TForm1::CheckForUpdate() {
    if (InternetAttemptConnect(0) != ERROR_SUCCESS) return;
    const std::string fileName = app::UpdateFileName(settings::SettingsPath(BaseFolder));

    std::string received;
    {
        const Deadline deadline(kFetchTime);
        const OpenedResource version = OpenResource(app::VersionFileUrl(app::UpdateServerHost, fileName), deadline);
        if (!version.request) return;
        received = ReadVersionText(version.request.get(), deadline);
    }  // the connection is closed before the user is asked

    if (!app::IsNewerVersion(received, OwnVersion(this))) return;
    if (!ui::AskYesNo(app::UpdateQuestion(received))) return;
    OpenDownloadPage(ReadComment(app::CommentFileUrl(app::UpdateServerHost, fileName)));
}

void TForm1::OpenDownloadPage(const std::string& comment) {
    ui::ShowMessage(comment);
    ShellOpen(BaseFolder, "");
    ShellOpen(app::DownloadPageUrl(app::UpdateServerHost), "");
    // Start-up runs to its end, then the message loop ends before the main window is shown.
    ui::App().Terminate();
}
