#include "driver/Input.h"

#include "driver/Error.h"
#include "driver/Text.h"

#include <cctype>
#include <utility>
#include <vector>

namespace driver {

namespace {

struct KeyName {
    const char* name;
    WORD key;
};

constexpr KeyName kKeyNames[] = {
    {"enter", VK_RETURN}, {"return", VK_RETURN}, {"esc", VK_ESCAPE}, {"escape", VK_ESCAPE}, {"del", VK_DELETE},
    {"delete", VK_DELETE}, {"tab", VK_TAB}, {"space", VK_SPACE}, {"backspace", VK_BACK}, {"insert", VK_INSERT},
    {"up", VK_UP}, {"down", VK_DOWN}, {"left", VK_LEFT}, {"right", VK_RIGHT}, {"home", VK_HOME}, {"end", VK_END},
    {"pageup", VK_PRIOR}, {"pagedown", VK_NEXT}, {"ctrl", VK_CONTROL}, {"control", VK_CONTROL}, {"alt", VK_MENU},
    {"shift", VK_SHIFT}, {"apps", VK_APPS},
};

// Keys that a keyboard sends with the extended flag (the cursor block beside the main keys).
bool IsExtended(WORD key)
{
    switch (key) {
    case VK_DELETE: case VK_INSERT: case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT: case VK_APPS:
        return true;
    default:
        return false;
    }
}

std::string Lower(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

WORD KeyFromName(const std::string& name)
{
    const std::string lower = Lower(name);
    for (const KeyName& known : kKeyNames) {
        if (lower == known.name) {
            return known.key;
        }
    }
    if (lower.size() == 1 && std::isalnum(static_cast<unsigned char>(lower[0]))) {
        return static_cast<WORD>(std::toupper(static_cast<unsigned char>(lower[0])));
    }
    if (lower.size() >= 2 && lower[0] == 'f' && std::isdigit(static_cast<unsigned char>(lower[1]))) {
        const int number = std::stoi(lower.substr(1));
        if (number >= 1 && number <= 24) {
            return static_cast<WORD>(VK_F1 + number - 1);
        }
    }
    throw DriverError("unknown key name '" + name + "'");
}

// The keys of a chord, modifiers first: "Ctrl+F" gives {VK_CONTROL, 'F'}. A lone "+" is the plus key's name.
std::vector<WORD> ParseChord(const std::string& chord)
{
    std::vector<WORD> keys;
    size_t start = 0;
    while (start <= chord.size()) {
        size_t plus = chord.find('+', start + 1);
        if (plus == std::string::npos) {
            plus = chord.size();
        }
        keys.push_back(KeyFromName(chord.substr(start, plus - start)));
        start = plus + 1;
    }
    return keys;
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void Send(std::vector<INPUT> inputs)
{
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
        throw DriverError("SendInput failed (error " + std::to_string(GetLastError()) + ")");
    }
}

INPUT MouseInput(DWORD flags, Point screen = {})
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Absolute coordinates run from 0 to 65535 over the primary screen.
        input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    return input;
}

}  // namespace

void BringToForeground(const Window& target)
{
    const HWND top = GetAncestor(target.Handle(), GA_ROOT);
    if (top == nullptr) {
        throw DriverError("cannot bring a window that no longer exists to the foreground");
    }
    if (GetForegroundWindow() == top) {
        return;
    }
    SetForegroundWindow(top);
    if (!PollUntil([&] { return GetForegroundWindow() == top; }, Timeout(3000))) {
        throw DriverError("window " + Window(top).ClassName() + " \"" + Window(top).Text() +
                          "\" did not become the foreground window");
    }
}

std::string ReleaseModifiers()
{
    std::string down;
    std::vector<INPUT> inputs;
    for (const auto& [key, name] : {std::pair<WORD, const char*>{VK_CONTROL, "Ctrl"}, {VK_SHIFT, "Shift"},
                                    {VK_MENU, "Alt"}}) {
        if (GetAsyncKeyState(key) >= 0 && GetKeyState(key) >= 0) continue;
        down += std::string(down.empty() ? "" : " ") + name;
        inputs.push_back(KeyInput(key, true));
    }
    if (!inputs.empty()) {
        Send(inputs);
        BYTE state[256] = {};
        if (GetKeyboardState(state)) {
            for (int key : {VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_MENU, VK_LMENU,
                            VK_RMENU}) {
                state[key] = 0;
            }
            SetKeyboardState(state);
        }
    }
    return down;
}

void PressKeys(const Window& target, const std::string& chord)
{
    const std::vector<WORD> keys = ParseChord(chord);
    BringToForeground(target);
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        inputs.push_back(KeyInput(key, false));
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        inputs.push_back(KeyInput(*key, true));
    }
    Send(inputs);
}

void TypeText(const Window& target, const std::string& text)
{
    BringToForeground(target);
    std::vector<INPUT> inputs;
    for (wchar_t unit : ToWide(text)) {
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(unit);
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    }
    Send(inputs);
}

void MouseMoveTo(Point screen)
{
    Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen)});
    PollUntil([&] {
        POINT cursor = {};
        GetCursorPos(&cursor);
        return cursor.x == screen.x && cursor.y == screen.y;
    }, Timeout(2000));
}

void MouseLeftDown()
{
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN)});
}

void MouseLeftUp()
{
    Send({MouseInput(MOUSEEVENTF_LEFTUP)});
}

void MouseClick(Point screen)
{
    MouseMoveTo(screen);
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
}

void MouseDrag(Point from, Point to)
{
    constexpr int kSteps = 8;
    MouseMoveTo(from);
    MouseLeftDown();
    for (int step = 1; step <= kSteps; ++step) {
        MouseMoveTo({from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
    }
    MouseLeftUp();
}

}  // namespace driver
