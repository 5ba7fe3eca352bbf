#include "app/rules/HotKeyText.h"


namespace app {

namespace {

struct Name {
    const char* text;
    unsigned value;
};

constexpr Name kModifiers[] = {
    {"Ctrl", kHotKeyCtrl}, {"Alt", kHotKeyAlt}, {"Shift", kHotKeyShift}, {"Win", kHotKeyWin}};

// Keys with a name of their own; letters, digits, F keys, the number pad's digits and "VKxx" are made by rule. The
// first name of a key is the one written.
constexpr Name kKeys[] = {
    {"Space", 0x20},    {"Tab", 0x09},      {"Enter", 0x0D},    {"Esc", 0x1B},  {"Backspace", 0x08},
    {"Pause", 0x13},    {"Insert", 0x2D},   {"Delete", 0x2E},   {"Home", 0x24}, {"End", 0x23},
    {"PageUp", 0x21},   {"PageDown", 0x22}, {"Left", 0x25},     {"Up", 0x26},   {"Right", 0x27},
    {"Down", 0x28},     {"Del", 0x2E},      {"Escape", 0x1B},   {"Return", 0x0D}, {"PgUp", 0x21},
    {"PgDn", 0x22}};

constexpr unsigned kF1 = 0x70;
constexpr unsigned kNum0 = 0x60;

// The keys that are modifiers themselves cannot be the key of a hotkey.
bool IsModifierKey(unsigned key) {
    return key == 0x10 || key == 0x11 || key == 0x12 || (key >= 0xA0 && key <= 0xA5) || key == 0x5B || key == 0x5C;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A decimal number of one or two digits without a leading zero, or -1.
int SmallNumber(std::string_view s) {
    if (s.empty() || s.size() > 2 || s[0] == '0') return -1;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

int HexDigit(char c) {
    c = Upper(c);
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The virtual key a key name stands for, or 0.
unsigned KeyOf(std::string_view name) {
    if (name.size() == 1) {
        const char c = Upper(name[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned char>(c);
        return 0;
    }
    for (const Name& key : kKeys)
        if (SameName(name, key.text)) return key.value;
    if (Upper(name[0]) == 'F') {
        const int n = SmallNumber(name.substr(1));
        return n >= 1 && n <= 24 ? kF1 + static_cast<unsigned>(n) - 1 : 0;
    }
    if (name.size() == 4 && SameName(name.substr(0, 3), "Num") && name[3] >= '0' && name[3] <= '9')
        return kNum0 + static_cast<unsigned>(name[3] - '0');
    if (name.size() == 4 && SameName(name.substr(0, 2), "VK")) {
        const int high = HexDigit(name[2]), low = HexDigit(name[3]);
        if (high < 0 || low < 0) return 0;
        const unsigned key = static_cast<unsigned>(high * 16 + low);
        return key == 0xFF || IsModifierKey(key) ? 0 : key;
    }
    return 0;
}

std::string KeyName(unsigned key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= kF1 && key < kF1 + 24) return "F" + std::to_string(key - kF1 + 1);
    if (key >= kNum0 && key <= kNum0 + 9) return "Num" + std::to_string(key - kNum0);
    for (const Name& name : kKeys)
        if (name.value == key) return name.text;
    const char* digits = "0123456789ABCDEF";
    return std::string("VK") + digits[(key >> 4) & 0xF] + digits[key & 0xF];
}

// The keys the control marks as extended: the block of Insert, Delete, Home, End, the pages and the arrows.
bool IsExtendedKey(unsigned key) { return (key >= 0x21 && key <= 0x28) || key == 0x2D || key == 0x2E; }

}  // namespace

HotKey ParseHotKey(std::string_view text) {
    HotKey hotKey;
    text = Trimmed(text);
    if (text.empty()) return {};
    for (;;) {
        const std::size_t plus = text.find('+');
        const std::string_view part = Trimmed(text.substr(0, plus));
        if (plus == std::string_view::npos) {
            hotKey.key = KeyOf(part);
            return hotKey.key ? hotKey : HotKey{};
        }
        unsigned modifier = 0;
        for (const Name& m : kModifiers)
            if (SameName(part, m.text) || (m.value == kHotKeyCtrl && SameName(part, "Control"))) modifier = m.value;
        if (modifier == 0 || (hotKey.modifiers & modifier)) return {};
        hotKey.modifiers |= modifier;
        text.remove_prefix(plus + 1);
    }
}

std::string FormatHotKey(const HotKey& hotKey) {
    if (hotKey.key == 0) return "";
    std::string text;
    for (const Name& m : kModifiers)
        if (hotKey.modifiers & m.value) text += std::string(m.text) + "+";
    return text + KeyName(hotKey.key);
}

HotKey HotKeyFromControl(unsigned value) {
    HotKey hotKey;
    hotKey.key = value & 0xFF;
    if (hotKey.key == 0 || IsModifierKey(hotKey.key)) return {};
    const unsigned flags = (value >> 8) & 0xFF;
    if (flags & kControlCtrl) hotKey.modifiers |= kHotKeyCtrl;
    if (flags & kControlAlt) hotKey.modifiers |= kHotKeyAlt;
    if (flags & kControlShift) hotKey.modifiers |= kHotKeyShift;
    return hotKey;
}

unsigned ControlValueOf(const HotKey& hotKey) {
    if (hotKey.key == 0) return 0;
    unsigned flags = 0;
    if (hotKey.modifiers & kHotKeyCtrl) flags |= kControlCtrl;
    if (hotKey.modifiers & kHotKeyAlt) flags |= kControlAlt;
    if (hotKey.modifiers & kHotKeyShift) flags |= kControlShift;
    if (IsExtendedKey(hotKey.key)) flags |= kControlExtended;
    return (flags << 8) | (hotKey.key & 0xFF);
}

}  // namespace app
