// The application object: title, hidden application window, the forms it created, the message loop with the
// active form's menu shortcuts and dialog keys, minimising, termination and the default error display.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "ui/Component.h"
#include "ui/Form.h"

namespace ui {

class Application : public Component {
public:
    Application();
    ~Application() override;

    // Registers the common controls and creates the hidden application window.
    void Initialize();
    std::string Title() const { return title_; }
    void SetTitle(const std::string& title);
    // The hidden application window (owner of shell dialogs).
    HWND Handle() const { return hwnd_; }

    // Constructs a form owned by the application and runs its OnCreate; the first form made is the main form.
    // An exception from OnCreate is shown by the default error display and the form stays.
    template <typename T>
    void CreateForm(T*& ref) {
        ref = new T(this);
        if (!mainForm_) mainForm_ = ref;
        RunCreate(ref);
    }
    Form* MainForm() const { return mainForm_; }

    // Shows the main form and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Sends the whole program to the task bar.
    void Minimize();
    // Handles one message as the loop does: menu shortcuts of the form it belongs to, dialog keys, dispatch.
    void ProcessMessage(MSG& msg);
    // Handles every message now waiting (without blocking).
    void ProcessMessages();
    // Frees a form once the current events have returned.
    void ReleaseForm(Form* form);
    // Runs action once the current events have returned, from the message loop (of whichever window is modal
    // then): for what must not hold the caller, such as a box after a drop whose source waits for the drop's answer.
    // An action queued for an owner is dropped when the owner goes before it has run.
    void Queue(std::function<void()> action, const Component* owner = nullptr);
    // Drops the actions queued for owner (a component's end calls it).
    void ForgetQueued(const Component* owner);
    // The default error display: a plain box with the text under the application title.
    void ShowException(const std::string& text);

private:
    void RunCreate(Form* form);
    bool IsShortCutMessage(const MSG& msg);
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);

    std::string title_;
    HWND hwnd_ = nullptr;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    struct QueuedAction {
        std::function<void()> action;
        const Component* owner;
    };
    std::deque<QueuedAction> queued_;
};

// The program's one application object.
Application& App();

// Runs a whole program on the application object: initialises it, sets its title, lets start create the forms,
// and runs the message loop. A failure on the way (the application window or a form that cannot be created) ends
// in a plain box saying so, and in exit code 1; a program that ran to its end gives 0.
int RunProgram(const std::string& title, const std::function<void(Application&)>& start) noexcept;

}  // namespace ui
