#include "app/OwnIconReader.h"

#include <objbase.h>
#include <shellapi.h>

#include <atomic>
#include <mutex>
#include <utility>

namespace app {

namespace {

const UINT kIconsArrived = WM_APP + 1;

}  // namespace

// One fill's work, shared by the window and the thread: the thread may outlive both the fill and the window.
struct OwnIconReader::Job {
    std::wstring folder;
    std::vector<std::wstring> names;
    HWND target = nullptr;
    std::atomic<bool> dropped{false};
    std::mutex lock;
    std::vector<std::pair<std::wstring, int>> arrivals;  // read and not yet taken by the window
};

namespace {

DWORD WINAPI ReadIcons(void* parameter) {
    std::unique_ptr<std::shared_ptr<OwnIconReader::Job>> held(static_cast<std::shared_ptr<OwnIconReader::Job>*>(parameter));
    OwnIconReader::Job& job = **held;
    // The shell reads a shortcut's icon through COM objects of its own.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    for (const std::wstring& name : job.names) {
        if (job.dropped) break;
        SHFILEINFOW info{};
        const std::wstring path = job.folder + name;
        if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)) continue;
        bool first = false;
        {
            std::lock_guard<std::mutex> guard(job.lock);
            first = job.arrivals.empty();
            job.arrivals.emplace_back(name, info.iIcon);
        }
        // One message for what comes in before the window takes it.
        if (first && !job.dropped) PostMessageW(job.target, kIconsArrived, 0, 0);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

}  // namespace

OwnIconReader::OwnIconReader(std::function<void()> arrived) : arrived_(std::move(arrived)) {}

OwnIconReader::~OwnIconReader() { Drop(); }

void OwnIconReader::Drop() {
    if (job_) job_->dropped = true;
    job_.reset();
    found_.clear();
}

void OwnIconReader::Start(const std::wstring& folder, std::vector<std::wstring> names) {
    Drop();
    if (names.empty()) return;
    if (!window_) {
        window_ = std::make_unique<ui::MessageWindow>(L"TOwnIcons", L"", [this](UINT msg, WPARAM, LPARAM, LRESULT&) {
            if (msg != kIconsArrived) return false;
            TakeArrivals();
            return true;
        });
    }
    auto job = std::make_shared<Job>();
    job->folder = folder;
    job->names = std::move(names);
    job->target = window_->Handle();
    auto* held = new std::shared_ptr<Job>(job);
    HANDLE thread = CreateThread(nullptr, 0, ReadIcons, held, 0, nullptr);
    if (!thread) {
        delete held;
        return;
    }
    CloseHandle(thread);
    job_ = std::move(job);
}

void OwnIconReader::TakeArrivals() {
    if (!job_) return;
    std::vector<std::pair<std::wstring, int>> arrivals;
    {
        std::lock_guard<std::mutex> guard(job_->lock);
        arrivals.swap(job_->arrivals);
    }
    if (arrivals.empty()) return;
    for (auto& [name, icon] : arrivals) found_[std::move(name)] = icon;
    if (arrived_) arrived_();
}

int OwnIconReader::Find(const std::wstring& name) const {
    if (found_.empty()) return -1;
    const auto it = found_.find(name);
    return it == found_.end() ? -1 : it->second;
}

}  // namespace app
