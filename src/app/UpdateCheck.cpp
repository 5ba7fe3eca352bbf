// The start-up check for a newer version on the maker's server.
#include "app/Unit1.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "app/UpdateServer.h"
#include "app/rules/VersionText.h"
#include "dialogs/Unit3.h"
#include "settings/Schema.h"
#include "ui/Application.h"
#include "ui/CodePage.h"
#include "ui/Handles.h"
#include "ui/Dialogs.h"

namespace {

const char* const kAgent = "MyApp";
// Each read asks for 1024 bytes; a buffer holds them and the 0 that ends the text.
constexpr DWORD kReadSize = 1024;
constexpr std::size_t kBufferSize = 1026;
// How long the version fetch (name resolution, connecting, reading) may keep start-up waiting for the network, and
// after Yes the comment fetch, each on its own. The system's own waits are far longer (or endless under Wine), and a
// name server or a web server that does not answer must not look like a hang.
constexpr std::chrono::milliseconds kCheckTime(3000);

// An Internet handle, closed when it goes.
using InternetHandle = ui::UniqueHandle<HINTERNET, InternetCloseHandle>;
using EventHandle = ui::UniqueHandle<HANDLE, CloseHandle>;

// The moment the check gives up.
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

// One resource of the server, fetched with asynchronous WinINet: the system resolves the name, connects, sends and
// receives in threads of its own and reports each completion through the status callback, while the GUI thread
// waits for it no longer than the deadline allows. The system may still work on a fetch that was given up, so the
// fetch also holds the buffer and count that it writes into, and it is freed only when the GUI thread and every
// handle made with it (each reported closed by the callback) have let go.
class Fetch {
public:
    // Starts with the GUI thread's hold.
    Fetch() : done_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

    // Opens url (plain HTTP, GET, the system's default caching and redirection) with the agent "MyApp"; false
    // when the server cannot be reached or does not answer before the deadline.
    bool Open(const std::string& url, const Deadline& deadline);
    // True when the server delivered the resource itself (status 200), not an error page.
    bool Delivered() const;
    // Reads the next piece of at most 1024 bytes into Buffer(), which it ends with a 0 byte: false when the read
    // fails or the deadline passes, otherwise true with Count() bytes (0 at the end of the data).
    bool Read(const Deadline& deadline);
    const char* Buffer() const { return buffer_; }
    DWORD Count() const { return count_; }

    // The GUI thread lets go: the handles are closed (the system reports each one closed) and the fetch goes
    // with the last hold.
    void Abandon() {
        request_.reset();
        connection_.reset();
        internet_.reset();
        Release();
    }

private:
    ~Fetch() = default;
    void Hold() { ++holds_; }
    void Release() {
        if (--holds_ == 0) delete this;
    }
    DWORD_PTR Context() { return reinterpret_cast<DWORD_PTR>(this); }
    // The outcome of a call that may finish later: at once when it returned true, otherwise the result of its
    // completion when that comes before the deadline.
    bool Await(BOOL finished, const Deadline& deadline);
    // Lets each of the system's own waits last at most what is left, so that its threads end soon after a fetch
    // was given up. False when nothing is left.
    bool LimitWaits(const Deadline& deadline);
    static void CALLBACK Status(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD length);

    std::atomic<int> holds_{1};
    EventHandle done_;
    std::atomic<DWORD> result_{0};
    char buffer_[kBufferSize] = {};
    DWORD count_ = 0;
    // Closed in reverse order: the request, the connection, then the Internet handle.
    InternetHandle internet_;
    InternetHandle connection_;
    InternetHandle request_;
};

// The owner of a fetch on the GUI thread.
struct AbandonFetch {
    void operator()(Fetch* fetch) const { fetch->Abandon(); }
};
using FetchPtr = std::unique_ptr<Fetch, AbandonFetch>;

void CALLBACK Fetch::Status(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD) {
    auto* fetch = reinterpret_cast<Fetch*>(context);
    if (!fetch) return;  // the Internet handle's own reports
    if (status == INTERNET_STATUS_REQUEST_COMPLETE) {
        fetch->result_ = static_cast<DWORD>(static_cast<const INTERNET_ASYNC_RESULT*>(info)->dwResult);
        SetEvent(fetch->done_.get());
    } else if (status == INTERNET_STATUS_HANDLE_CLOSING) {
        fetch->Release();  // the last report the system makes for that handle
    }
}

bool Fetch::Await(BOOL finished, const Deadline& deadline) {
    if (finished) return true;
    if (GetLastError() != ERROR_IO_PENDING) return false;
    return WaitForSingleObject(done_.get(), deadline.Left()) == WAIT_OBJECT_0 && result_ != 0;
}

bool Fetch::LimitWaits(const Deadline& deadline) {
    DWORD left = deadline.Left();
    if (left == 0) return false;
    // Wine honours these only on a request handle, not on the Internet handle.
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        InternetSetOptionA(request_.get(), option, &left, sizeof left);
    }
    return true;
}

bool Fetch::Open(const std::string& url, const Deadline& deadline) {
    if (!done_) return false;
    char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    char path[INTERNET_MAX_PATH_LENGTH + 1] = {};
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    if (!InternetCrackUrlA(url.c_str(), 0, 0, &parts)) return false;

    internet_.reset(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_ASYNC));
    if (!internet_) return false;
    if (InternetSetStatusCallbackA(internet_.get(), &Fetch::Status) == INTERNET_INVALID_STATUS_CALLBACK) return false;
    // Connecting and asking one by one rather than through InternetOpenUrlA: only a request handle takes the
    // time-outs before the first wait. Neither call waits for the network; each handle holds the fetch until the
    // system reports it closed.
    connection_.reset(InternetConnectA(internet_.get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP,
                                       0, Context()));
    if (!connection_) return false;
    Hold();
    request_.reset(HttpOpenRequestA(connection_.get(), "GET", path, nullptr, nullptr, nullptr, 0, Context()));
    if (!request_) return false;
    Hold();
    if (!LimitWaits(deadline)) return false;
    ResetEvent(done_.get());
    return Await(HttpSendRequestA(request_.get(), nullptr, 0, nullptr, 0), deadline);
}

bool Fetch::Delivered() const {
    DWORD status = 0;
    DWORD size = sizeof status;
    return HttpQueryInfoA(request_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                          nullptr) &&
           status == HTTP_STATUS_OK;
}

bool Fetch::Read(const Deadline& deadline) {
    if (!LimitWaits(deadline)) return false;
    count_ = 0;
    ResetEvent(done_.get());
    if (!Await(InternetReadFile(request_.get(), buffer_, kReadSize, &count_), deadline)) return false;
    buffer_[count_] = '\0';
    return true;
}

// The version the server offers: the text of a version file of at most 1024 bytes that arrived whole, read 1024
// bytes at a time. Anything else (an error page, a line break, a longer file, a transfer that broke off) is "0".
std::string ReadVersionText(Fetch& version, const Deadline& deadline) {
    if (!version.Delivered()) return "0";
    std::string received;
    for (;;) {
        if (!version.Read(deadline)) return "0";
        if (version.Count() == 0) break;
        // A second piece would make the file longer than any version number.
        if (received.size() + version.Count() > kReadSize) return "0";
        received.append(version.Buffer(), version.Count());
    }
    const std::string text = app::ReceivedText(received);
    return app::IsVersionText(text) ? text : "0";
}

// The release comment, fetched through an Internet handle of its own. A read may deliver only what has arrived so
// far, so the pieces are joined until the end of the file, or until more than is shown has come (the rest is never
// read); empty when that cannot be fetched before the deadline.
std::string ReadComment(const std::string& url, const Deadline& deadline) {
    const FetchPtr comment(new Fetch);
    if (!comment->Open(url, deadline) || !comment->Delivered()) return std::string();
    std::string received;
    while (received.size() <= app::CommentTextLimit) {
        if (!comment->Read(deadline)) return std::string();
        if (comment->Count() == 0) break;
        received.append(comment->Buffer(), comment->Count());
    }
    return ui::FromWide(ui::FromCodePage(app::CommentText(received)));
}

// The program's own version: the caption of Label2 of an About box that is made for the purpose and never shown.
std::string OwnVersion(TForm1* owner) {
    const auto release = [](TAboutBox* box) { box->Release(); };
    const std::unique_ptr<TAboutBox, decltype(release)> box(new TAboutBox(owner), release);
    return box->Label2->Caption();
}

}  // namespace

void TForm1::CheckForUpdate() {
    // A build that names no update server checks nothing: no name lookup, no request.
    if (app::UpdateServerHost[0] == '\0') return;
    if (InternetAttemptConnect(0) != ERROR_SUCCESS) return;
    const std::string fileName = app::UpdateFileName(settings::SettingsPath(BaseFolder));

    std::string received;
    {
        const Deadline deadline(kCheckTime);
        const FetchPtr version(new Fetch);
        if (!version->Open(app::VersionFileUrl(app::UpdateServerHost, fileName), deadline)) return;
        received = ReadVersionText(*version, deadline);
    }  // the connection is closed before the user is asked

    if (!app::IsNewerVersion(received, OwnVersion(this))) return;
    if (!ui::AskYesNo(app::UpdateQuestion(received))) return;
    // The user asked for the comment: its wait is a new one, not what the version file left.
    const Deadline commentDeadline(kCheckTime);
    OpenDownloadPage(ReadComment(app::CommentFileUrl(app::UpdateServerHost, fileName), commentDeadline));
}

void TForm1::OpenDownloadPage(const std::string& comment) {
    ui::ShowMessage(comment);
    ShellOpen(BaseFolder, "");
    ShellOpen(app::DownloadPageUrl(app::UpdateServerHost), "");
    // Start-up runs to its end, then the message loop ends before the main window is shown.
    ui::App().Terminate();
}
