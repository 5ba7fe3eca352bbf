#include "app/OwnIconReader.h"

#include <atomic>
#include <mutex>

#include "app/ShellIcons.h"

namespace app {

namespace {

const UINT kIconsArrived = WM_APP + 1;
// While icons come in, the window takes them on a timer: a timer's message waits for the user's input and for
// painting, where a message posted for each icon would go before them and hold the window while many come.
const UINT_PTR kTakeTimer = 1;
const UINT kTakeEveryMs = 40;
// The reading starts once the window is idle, after the list has been painted: the names come first.
const UINT_PTR kStartTimer = 2;

// Whether path is the running program's own file (letter case aside).
bool IsOwnProgram(const std::wstring& path) {
    static const std::wstring own = [] {
        std::wstring buffer(32768, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
        buffer.resize(length < buffer.size() ? length : 0);
        return buffer;
    }();
    return !own.empty() && CompareStringOrdinal(path.c_str(), static_cast<int>(path.size()), own.c_str(),
                                                static_cast<int>(own.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

// One fill's work, shared by the window and the thread: the thread may outlive both the fill and the window.
struct OwnIconReader::Job {
    std::wstring folder;
    Files files;
    int size = 0;
    HWND target = nullptr;
    std::atomic<bool> dropped{false};
    std::atomic<bool> finished{false};  // every file read
    std::atomic<bool> polled{false};    // the window takes what comes on its timer: nothing need be posted
    std::mutex lock;
    std::vector<std::size_t> wanted;                 // places of files being drawn, read before the rest
    std::vector<std::pair<std::wstring, HICON>> arrivals;  // read and not yet taken by the window

    ~Job() {
        for (auto& arrival : arrivals) DestroyIcon(arrival.second);
    }
};

namespace {

DWORD WINAPI ReadIcons(void* parameter) {
    using Held = std::shared_ptr<OwnIconReader::Job>;
    const std::unique_ptr<Held> held(static_cast<Held*>(parameter));
    OwnIconReader::Job& job = **held;
    std::vector<bool> done(job.files.size());
    std::size_t next = 0;
    while (!job.dropped) {
        std::size_t place = job.files.size();
        {
            std::lock_guard<std::mutex> guard(job.lock);
            if (!job.wanted.empty()) {
                place = job.wanted.front();
                job.wanted.erase(job.wanted.begin());
            } else if (next < job.files.size()) {
                place = next++;
            } else {
                break;
            }
        }
        if (place >= job.files.size() || done[place]) continue;
        done[place] = true;
        const auto& [name, kind] = job.files[place];
        HICON icon = ReadOwnIcon(job.folder + name, kind, job.size);
        if (!icon) continue;
        bool first = false;
        {
            std::lock_guard<std::mutex> guard(job.lock);
            first = job.arrivals.empty();
            job.arrivals.emplace_back(name, icon);
        }
        // One message for what comes in before the window takes it.
        if (first && !job.polled && !job.dropped) PostMessageW(job.target, kIconsArrived, 0, 0);
    }
    job.finished = true;
    return 0;
}

}  // namespace

OwnIconReader::OwnIconReader(std::function<void()> arrived) : arrived_(std::move(arrived)) {}

OwnIconReader::~OwnIconReader() { Drop(); }

void OwnIconReader::Drop() {
    if (job_) job_->dropped = true;
    if (window_) {
        KillTimer(window_->Handle(), kTakeTimer);
        KillTimer(window_->Handle(), kStartTimer);
    }
    job_.reset();
    found_.clear();
    places_.clear();
    asked_.clear();
    files_.clear();
    if (images_) ImageList_RemoveAll(images_.get());
}

void OwnIconReader::Start(const std::wstring& folder, Files files, int size) {
    Drop();
    if (files.empty()) return;
    if (!window_) {
        window_ = std::make_unique<ui::MessageWindow>(L"TOwnIcons", L"", [this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
            if (msg == kIconsArrived && job_) {
                TakeArrivals();
                job_->polled = true;
                SetTimer(window_->Handle(), kTakeTimer, kTakeEveryMs, nullptr);
                return true;
            }
            if (msg == WM_TIMER && wp == kStartTimer) {
                KillTimer(window_->Handle(), kStartTimer);
                StartReading();
                return true;
            }
            if (msg == WM_TIMER && wp == kTakeTimer) {
                // Whether the reader had finished before what is there now was taken: then nothing more comes.
                const bool finished = job_ && job_->finished;
                if (!TakeArrivals() && (finished || !job_)) KillTimer(window_->Handle(), kTakeTimer);
                return true;
            }
            return false;
        });
    }
    if (!images_ || size != size_) images_.reset(CreateIconList(size));
    size_ = size;
    folder_ = folder;
    files_ = std::move(files);
    Files toRead;
    for (const auto& file : files_) {
        // The program itself, which sits in the folder it lists, shows the icon it carries: no file to read.
        if (IsOwnProgram(folder_ + file.first)) {
            HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, 0);
            const int index = AddToIconList(images_.get(), static_cast<HICON>(icon));
            if (index >= 0) {
                found_[file.first] = index;
                continue;
            }
        }
        places_.emplace(file.first, static_cast<int>(toRead.size()));
        toRead.push_back(file);
    }
    asked_.assign(toRead.size(), false);
    if (toRead.empty()) return;

    job_ = std::make_shared<Job>();
    job_->folder = folder_;
    job_->files = std::move(toRead);
    job_->size = size;
    job_->target = window_->Handle();
    // Rows drawn before then are asked for and read first.
    SetTimer(window_->Handle(), kStartTimer, USER_TIMER_MINIMUM, nullptr);
}

void OwnIconReader::StartReading() {
    if (!job_) return;
    auto* held = new std::shared_ptr<Job>(job_);
    HANDLE thread = CreateThread(nullptr, 0, ReadIcons, held, 0, nullptr);
    if (!thread) {
        delete held;
        job_->finished = true;
        return;
    }
    CloseHandle(thread);
}

bool OwnIconReader::TakeArrivals() {
    if (!job_) return false;
    std::vector<std::pair<std::wstring, HICON>> arrivals;
    {
        std::lock_guard<std::mutex> guard(job_->lock);
        arrivals.swap(job_->arrivals);
    }
    if (arrivals.empty()) return false;
    for (auto& [name, icon] : arrivals) {
        const int index = AddToIconList(images_.get(), icon);
        if (index >= 0) found_[std::move(name)] = index;
    }
    if (arrived_) arrived_();
    return true;
}

int OwnIconReader::Find(const std::wstring& name, int size) {
    if (files_.empty()) return -1;
    if (size != size_) {
        // The list is drawn at another size now (its window moved to a screen of another DPI): read anew.
        std::wstring folder = folder_;
        Files files = files_;
        Start(folder, std::move(files), size);
    }
    const auto found = found_.find(name);
    if (found != found_.end()) return found->second;
    const auto place = places_.find(name);
    if (place != places_.end() && !asked_[place->second] && job_) {
        asked_[place->second] = true;
        std::lock_guard<std::mutex> guard(job_->lock);
        job_->wanted.push_back(static_cast<std::size_t>(place->second));
    }
    return -1;
}

}  // namespace app
