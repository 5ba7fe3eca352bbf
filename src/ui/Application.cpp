#include "ui/Application.h"

#include <commctrl.h>

#include <stdexcept>
#include <utility>

#include "ui/CodePage.h"
#include "ui/Dialogs.h"
#include "ui/DragDrop.h"
#include "ui/Edits.h"
#include "ui/Guard.h"
#include "ui/Menus.h"

namespace ui {

namespace {
const UINT kReleaseForm = WM_APP + 1;
const UINT kRunQueued = WM_APP + 2;
const wchar_t kAppClass[] = L"TApplication";

}  // namespace

Application& App() {
    static Application* app = new Application();  // lives as long as the process: forms refer to it to the end
    return *app;
}

void ShowUnhandledException(const std::exception* e) noexcept {
    try {
        App().ShowException(e ? e->what() : "不明なエラーが発生しました。");
    } catch (...) {
        // Nothing more can be shown.
    }
}

int RunProgram(const std::string& title, const std::function<void(Application&)>& start) noexcept {
    std::string reason;
    try {
        Application& app = App();
        app.Initialize();
        app.SetTitle(title);
        start(app);
        app.Run();
        return 0;
    } catch (const std::exception& e) {
        reason = e.what();
    } catch (...) {
    }
    try {
        App().SetTitle(title);
        ShowMessage("起動できませんでした。" + (reason.empty() ? std::string() : "\n\r" + reason));
    } catch (...) {
        // Not even a box can be shown: the exit code is all that is left.
    }
    return 1;
}

Application::Application() : Component(nullptr) { Name = "Application"; }

Application::~Application() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void Application::Initialize() {
    if (hwnd_) return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Application::WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
    wc.lpszClassName = kAppClass;
    RegisterClassExW(&wc);
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kAppClass, ToWide(title_).c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            wc.hInstance, nullptr);
    if (!hwnd_) throw std::runtime_error("cannot create the application window");
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    if (hwnd_) SetWindowTextW(hwnd_, ToWide(title_).c_str());
}

void Application::RunCreate(Form* form) {
    GuardedCall([&] { form->DoCreate(); });
}

void Application::Run() {
    if (mainForm_ && !terminated_) {
        ShowWindow(mainForm_->Handle(), SW_SHOWNORMAL);
        UpdateWindow(mainForm_->Handle());
        SetForegroundWindow(mainForm_->Handle());
    }
    MSG msg;
    while (!terminated_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        ProcessMessage(msg);
    }
    terminated_ = true;
    // Forms released while the loop ran down, then the main form and the rest.
    ProcessMessages();
    DestroyComponents();
    mainForm_ = nullptr;
}

void Application::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::Minimize() {
    if (mainForm_) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

bool Application::IsShortCutMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const Control* focused = Control::FromHandle(msg.hwnd);
    // Enter that confirms a conversion is the input method's.
    if (focused && focused->Composing()) return false;
    Form* form = Form::FromHandle(GetAncestor(msg.hwnd, GA_ROOT));
    if (!form || !form->GetPopupMenu() || !IsWindowEnabled(form->Handle())) return false;
    ShortCut sc;
    sc.vk = static_cast<unsigned>(msg.wParam);
    sc.ctrl = GetKeyState(VK_CONTROL) < 0;
    sc.shift = GetKeyState(VK_SHIFT) < 0;
    sc.alt = GetKeyState(VK_MENU) < 0 || (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29)));
    // Delete in an edit box of the form deletes text there, as in every edit box, rather than running the menu's
    // Delete (the combo box's own edit field is no such control and keeps the menu's keys).
    if (sc.vk == VK_DELETE && !sc.ctrl && !sc.alt && dynamic_cast<const Edit*>(focused)) return false;
    bool handled = false;
    GuardedCall([&] { handled = form->GetPopupMenu()->IsShortCut(sc); });
    return handled;
}

void Application::ProcessMessage(MSG& msg) {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) ActivateFileDrops();
    if (IsShortCutMessage(msg)) return;
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && Form::FromHandle(root) && IsDialogMessageW(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        ProcessMessage(msg);
    }
}

void Application::ReleaseForm(Form* form) { PostMessageW(hwnd_, kReleaseForm, 0, reinterpret_cast<LPARAM>(form)); }

void Application::Queue(std::function<void()> action, const Component* owner) {
    queued_.push_back(QueuedAction{std::move(action), owner});
    PostMessageW(hwnd_, kRunQueued, 0, 0);
}

void Application::ForgetQueued(const Component* owner) {
    if (!owner) return;
    for (QueuedAction& queued : queued_) {
        if (queued.owner == owner) queued = QueuedAction{nullptr, nullptr};
    }
}

void Application::ShowException(const std::string& text) { ShowMessage(text); }

LRESULT CALLBACK Application::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kReleaseForm) {
        auto* form = reinterpret_cast<Form*>(lp);
        GuardedCall([&] { delete form; });
        return 0;
    }
    if (msg == kRunQueued) {
        // One action for each message posted; an action that opens a window of its own lets the next one wait.
        std::deque<QueuedAction>& queued = App().queued_;
        if (!queued.empty()) {
            std::function<void()> action = std::move(queued.front().action);
            queued.pop_front();
            if (action) GuardedCall(action);  // none when its owner has gone
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace ui
