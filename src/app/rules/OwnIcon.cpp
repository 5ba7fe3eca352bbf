#include "app/rules/OwnIcon.h"

#include <cstddef>

namespace app {

bool HasOwnIcon(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.size() - dot != 4) return false;
    char ext[4] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = name[dot + 1 + i];
        ext[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (const char* own : {"exe", "lnk", "ico", "url", "scr", "cpl", "msc"}) {
        if (std::string_view(ext, 3) == own) return true;
    }
    return false;
}

}  // namespace app
