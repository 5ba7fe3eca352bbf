// Text rules of the update check: what the server's version file may hold, how its number compares with the
// program's own version, and the URLs and question built from texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace app {

// Paths on the update server.
constexpr const char* VersionFileFolder = "/kessa/soft/ver/";
constexpr const char* CommentFileFolder = "/kessa/soft/coment/";
constexpr const char* DownloadPagePath = "/kessa/";

// True when every character of text is "." or a digit "0" to "9"; true for an empty text.
bool IsVersionText(std::string_view text);

// The text of a receive buffer: the bytes read, up to the first 0 byte.
std::string ReceivedText(std::string_view bytesRead);

// The most of the release comment that is shown: one read's worth.
constexpr std::size_t CommentTextLimit = 1024;

// The comment shown for the bytes received of the comment file: their text when they are at most CommentTextLimit
// bytes; of a longer file the text of its first CommentTextLimit bytes, less the first byte of a double-byte
// character that the cut would split.
std::string CommentText(std::string_view received);

// A decimal number held exactly: whole without leading zeros, fraction without trailing zeros ("0" is "" and "").
struct VersionNumber {
    std::string whole;
    std::string fraction;
};

// The number a version text stands for: digits with at most one point and at least one digit ("1.9", "2", ".5",
// "1."). Anything else ("1.2.3", ".", "", "1.9\r\n", an error page) counts as 0. The point is the decimal point
// whatever the locale, and no length overflows.
VersionNumber ToVersionNumber(std::string_view text);

// -1, 0 or 1 as a is less than, equal to or greater than b.
int CompareVersionNumbers(const VersionNumber& a, const VersionNumber& b);

// True when the server's version text is a number strictly greater than the program's own version ("1.9" is newer
// than "1.851"; "1.10" is 1.1 and is not).
bool IsNewerVersion(std::string_view received, std::string_view own);

// Name of the version and comment files on the server: the settings file's name (a folder before it is dropped)
// with its extension changed to ".txt" ("Tessaly.ini" gives "Tessaly.txt").
std::string UpdateFileName(std::string_view settingsFileName);

// "http://" + host + "/kessa/soft/ver/" + fileName.
std::string VersionFileUrl(std::string_view host, std::string_view fileName);

// "http://" + host + "/kessa/soft/coment/" + fileName.
std::string CommentFileUrl(std::string_view host, std::string_view fileName);

// "http://" + host + "/kessa/".
std::string DownloadPageUrl(std::string_view host);

// The question asked when a newer version exists: two lines joined by LF then CR.
std::string UpdateQuestion(std::string_view version);

}  // namespace app
