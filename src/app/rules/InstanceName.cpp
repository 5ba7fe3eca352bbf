#include "app/rules/InstanceName.h"

#include <cstdint>

namespace app {

std::string InstanceName(std::string_view foldedPath) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : foldedPath) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    std::string name = "Tessaly-";
    const char* digits = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4) name += digits[(hash >> shift) & 0xF];
    return name;
}

}  // namespace app
