// The one message a drop shows for the files that did not go: which files, and why each.
#pragma once

#include <string>
#include <vector>

namespace app {

enum class DropRefusal {
    NameTaken,   // the folder already holds a file of that name
    Folder,      // folders are neither moved nor copied
    InUse,       // another program holds the file open
    Missing,     // the file is gone
    Denied,      // the system refused access
    Other,       // any other failure, told by its error number
};

struct RefusedFile {
    std::string path;  // the dropped file's full path
    DropRefusal reason = DropRefusal::Other;
    unsigned long error = 0;  // the system's error number, for DropRefusal::Other
};

// Files listed by name in the message; the rest are counted.
constexpr std::size_t kRefusalsListed = 10;

// "移動に失敗しました。" (a move) or "コピーに失敗しました。" (a copy), then a line for each refused file: its path and
// the reason; past kRefusalsListed files, one line that counts the others. Empty when nothing was refused.
std::string DropRefusalMessage(bool move, const std::vector<RefusedFile>& refused);

}  // namespace app
