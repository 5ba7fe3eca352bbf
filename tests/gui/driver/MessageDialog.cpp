#include "driver/MessageDialog.h"

#include "driver/Error.h"

namespace driver {

namespace {

// The id of a message box's text control.
constexpr int kTextId = 0xFFFF;

BOOL CALLBACK CollectBox(HWND window, LPARAM parameter)
{
    auto* boxes = reinterpret_cast<std::vector<MessageDialog>*>(parameter);
    const Window candidate(window);
    if (candidate.IsVisible() && candidate.ClassName() == "#32770") {
        boxes->push_back(MessageDialog(candidate));
    }
    return TRUE;
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string joined;
    for (const std::string& text : texts) {
        joined += (joined.empty() ? "\"" : ", \"") + text + "\"";
    }
    return joined;
}

}  // namespace

std::string MessageDialog::Caption() const
{
    return window_.Text();
}

std::string MessageDialog::Text() const
{
    const HWND text = GetDlgItem(window_.Handle(), kTextId);
    return text == nullptr ? std::string() : Window(text).Text();
}

std::wstring MessageDialog::ExactText() const
{
    const HWND text = GetDlgItem(window_.Handle(), kTextId);
    return text == nullptr ? std::wstring() : Window(text).ExactText();
}

std::vector<std::string> MessageDialog::Buttons() const
{
    std::vector<std::string> captions;
    for (const Window& child : window_.Descendants()) {
        if (child.ClassName() == "Button" && child.IsVisible()) {
            captions.push_back(child.Text());
        }
    }
    return captions;
}

void MessageDialog::Press(const std::string& caption, Timeout timeout) const
{
    for (const Window& child : window_.Descendants()) {
        if (child.ClassName() == "Button" && child.IsVisible() && child.Text() == caption) {
            child.Click();
            if (!PollUntil([&] { return !IsOpen(); }, timeout)) {
                throw DriverError(TimeoutMessage("message box \"" + Caption() + "\" to close after \"" + caption + "\"",
                                                 timeout));
            }
            return;
        }
    }
    throw DriverError("message box \"" + Caption() + "\" (\"" + Text() + "\") has no button \"" + caption +
                      "\"; it has " + Joined(Buttons()));
}

bool MessageDialog::IsOpen() const
{
    return window_.Exists() && window_.IsVisible();
}

std::vector<MessageDialog> MessageDialogsOfThread(DWORD threadId)
{
    std::vector<MessageDialog> boxes;
    EnumThreadWindows(threadId, CollectBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

}  // namespace driver
