#include "app/FolderInstance.h"

#include <utility>
#include <vector>

#include "app/rules/InstanceName.h"
#include "ui/CodePage.h"

namespace {

const wchar_t kWindowClass[] = L"TFolderInstance";
const wchar_t kShowMessage[] = L"Tessaly.ShowMainWindow";

// The folder of the running program with its letter case folded, as UTF-8.
std::string FoldedProgramFolder() {
    std::vector<wchar_t> buf(MAX_PATH);
    DWORD n = 0;
    while ((n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()))) >= buf.size())
        buf.resize(buf.size() * 2);
    std::wstring folder(buf.data(), n);
    folder.erase(folder.find_last_of(L'\\') + 1);
    if (!folder.empty()) CharUpperBuffW(&folder[0], static_cast<DWORD>(folder.size()));
    return ui::FromWide(folder);
}

}  // namespace

TFolderInstance::TFolderInstance() : name_(ui::ToWide(app::InstanceName(FoldedProgramFolder()))) {
    mutex_ = CreateMutexW(nullptr, FALSE, (L"Local\\" + name_).c_str());
    alreadyRunning_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

TFolderInstance::~TFolderInstance() {
    window_.reset();
    if (mutex_) CloseHandle(mutex_);
}

bool TFolderInstance::ShowRunningWindow() const {
    // The first start makes its window right after the mutex: give it a moment when it is only starting.
    HWND running = nullptr;
    for (int tries = 0; tries < 100 && !running; ++tries) {
        running = FindWindowW(kWindowClass, name_.c_str());
        if (!running) Sleep(20);
    }
    if (!running) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    return PostMessageW(running, RegisterWindowMessageW(kShowMessage), 0, 0) != FALSE;
}

void TFolderInstance::Listen(std::function<void()> onShow) {
    const UINT showMessage = RegisterWindowMessageW(kShowMessage);
    window_ = std::make_unique<ui::MessageWindow>(
        kWindowClass, name_, [showMessage, onShow = std::move(onShow)](UINT msg, WPARAM, LPARAM, LRESULT&) {
            if (msg != showMessage) return false;
            onShow();
            return true;
        });
}
