#include "settings/rules/StoredText.h"

#include "settings/rules/ProfileLines.h"

namespace settings {

namespace {

// The bytes that stand for themselves in the stored form.
bool IsPlain(unsigned char b) { return b > 0x20 && b < 0x7F && b != '%' && b != '='; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string EncodeStoredText(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string stored(kStoredTextMarker);
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (IsPlain(b)) {
            stored += c;
        } else {
            stored += '%';
            stored += kHex[b >> 4];
            stored += kHex[b & 0x0F];
        }
    }
    return stored;
}

bool LooksLikeStoredText(std::string_view text) { return DecodeStoredText(text).has_value(); }

bool NeedsStoredForm(std::string_view text, ProfileText role) {
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return true;
    if (!text.empty() && (IsProfileBlank(static_cast<unsigned char>(text.front())) ||
                          IsProfileBlank(static_cast<unsigned char>(text.back()))))
        return true;
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) return true;
    if (role == ProfileText::Key &&
        (text.find('=') != std::string_view::npos || (!text.empty() && (text.front() == '[' || text.front() == ';'))))
        return true;
    return LooksLikeStoredText(text);
}

std::optional<std::string> DecodeStoredText(std::string_view value) {
    if (value.substr(0, kStoredTextMarker.size()) != kStoredTextMarker) return std::nullopt;
    std::string text;
    for (std::size_t i = kStoredTextMarker.size(); i < value.size(); ++i) {
        const auto b = static_cast<unsigned char>(value[i]);
        if (b == '%') {
            const int high = i + 2 < value.size() ? HexValue(value[i + 1]) : -1;
            const int low = high >= 0 ? HexValue(value[i + 2]) : -1;
            if (low < 0) return std::nullopt;
            text += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (IsPlain(b)) {
            text += value[i];
        } else {
            return std::nullopt;
        }
    }
    return text;
}

}  // namespace settings
