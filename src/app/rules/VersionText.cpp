#include "app/rules/VersionText.h"

#include "text/PathText.h"
#include "text/ShiftJis.h"

namespace app {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool IsVersionText(std::string_view text) {
    for (const char c : text) {
        if (c != '.' && !IsDigit(c)) return false;
    }
    return true;
}

std::string ReceivedText(std::string_view bytesRead) {
    return std::string(bytesRead.substr(0, bytesRead.find('\0')));
}

std::string CommentText(std::string_view received) {
    if (received.size() <= CommentTextLimit) return ReceivedText(received);
    std::string_view shown = received.substr(0, CommentTextLimit);
    if (text::ByteTypeAt(received, CommentTextLimit - 1) == text::ByteType::Lead) shown.remove_suffix(1);
    return ReceivedText(shown);
}

VersionNumber ToVersionNumber(std::string_view text) {
    // Compared as decimal texts rather than through a floating-point conversion: no locale, no overflow, no
    // rounding, and a text that is no number (two points, a lone point, nothing) simply counts as 0.
    if (!IsVersionText(text)) return {};
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (fraction.find('.') != std::string_view::npos) return {};
    if (whole.empty() && fraction.empty()) return {};

    const std::size_t firstSignificant = whole.find_first_not_of('0');
    whole = firstSignificant == std::string_view::npos ? std::string_view() : whole.substr(firstSignificant);
    const std::size_t lastSignificant = fraction.find_last_not_of('0');
    fraction = lastSignificant == std::string_view::npos ? std::string_view() : fraction.substr(0, lastSignificant + 1);
    return {std::string(whole), std::string(fraction)};
}

int CompareVersionNumbers(const VersionNumber& a, const VersionNumber& b) {
    // Without leading zeros the longer whole part is the greater; equal lengths compare digit by digit.
    if (a.whole.size() != b.whole.size()) return a.whole.size() < b.whole.size() ? -1 : 1;
    if (const int c = a.whole.compare(b.whole); c != 0) return c < 0 ? -1 : 1;
    // Fractions compare digit by digit; a missing digit is a zero, and without trailing zeros the longer is greater.
    if (const int c = a.fraction.compare(b.fraction); c != 0) return c < 0 ? -1 : 1;
    return 0;
}

bool IsNewerVersion(std::string_view received, std::string_view own) {
    return CompareVersionNumbers(ToVersionNumber(received), ToVersionNumber(own)) > 0;
}

std::string UpdateFileName(std::string_view settingsFileName) {
    const std::size_t folderEnd = text::LastDelimiter(settingsFileName, "\\:");
    const std::string_view name =
        folderEnd == std::string_view::npos ? settingsFileName : settingsFileName.substr(folderEnd + 1);
    return text::ChangeFileExt(name, ".txt");
}

std::string VersionFileUrl(std::string_view host, std::string_view fileName) {
    return "http://" + std::string(host) + VersionFileFolder + std::string(fileName);
}

std::string CommentFileUrl(std::string_view host, std::string_view fileName) {
    return "http://" + std::string(host) + CommentFileFolder + std::string(fileName);
}

std::string DownloadPageUrl(std::string_view host) {
    return "http://" + std::string(host) + DownloadPagePath;
}

std::string UpdateQuestion(std::string_view version) {
    return "バージョン" + std::string(version) + "がリリースされています。" + "\n\r" + "ダウンロードしますか？";
}

}  // namespace app
