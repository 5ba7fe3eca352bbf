#include "app/rules/ShellLinkFile.h"

#include <cstdint>

namespace app {

namespace {

// The fixed header, the link object's class and the flags that say which parts follow it.
const std::size_t kHeaderSize = 0x4C;
const unsigned char kLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
const std::uint32_t kHasTargetIdList = 0x1;
const std::uint32_t kHasLinkInfo = 0x2;
const std::uint32_t kHasName = 0x4;
const std::uint32_t kHasRelativePath = 0x8;
const std::uint32_t kHasWorkingDir = 0x10;
const std::uint32_t kHasArguments = 0x20;
const std::uint32_t kHasIconLocation = 0x40;
const std::uint32_t kIsUnicode = 0x80;
const std::uint32_t kHasExpString = 0x200;
const std::uint32_t kHasExpIcon = 0x4000;
// Blocks after the texts: the target and the icon with environment variables in their paths.
const std::uint32_t kEnvironmentBlock = 0xA0000001;
const std::uint32_t kIconEnvironmentBlock = 0xA0000007;
const std::size_t kEnvironmentBlockSize = 0x314;

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool Has(std::size_t at, std::size_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
    std::uint32_t U16(std::size_t at) const {
        return static_cast<unsigned char>(bytes_[at]) | static_cast<unsigned char>(bytes_[at + 1]) << 8;
    }
    std::uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }
    // A text ending at its first zero (or at end) within count bytes from at.
    std::string_view Narrow(std::size_t at, std::size_t count) const {
        std::string_view text = bytes_.substr(at, count);
        return text.substr(0, text.find('\0'));
    }
    std::wstring Wide(std::size_t at, std::size_t characters, bool toFirstZero) const {
        std::wstring text;
        for (std::size_t i = 0; i < characters; ++i) {
            const wchar_t c = static_cast<wchar_t>(U16(at + i * 2));
            if (toFirstZero && c == 0) break;
            text.push_back(c);
        }
        return text;
    }
    std::size_t Size() const { return bytes_.size(); }

private:
    std::string_view bytes_;
};

// The zero-ended text at offset from a structure's start, within end.
std::string_view NarrowAt(const Reader& r, std::size_t start, std::uint32_t offset, std::size_t end) {
    if (offset == 0 || start + offset >= end) return {};
    return r.Narrow(start + offset, end - start - offset);
}

std::wstring WideAt(const Reader& r, std::size_t start, std::uint32_t offset, std::size_t end) {
    if (offset == 0 || start + offset >= end) return {};
    return r.Wide(start + offset, (end - start - offset) / 2, true);
}

}  // namespace

std::optional<ShellLinkIcon> ReadShellLinkIcon(std::string_view bytes,
                                               const std::function<std::wstring(std::string_view)>& fromCodePage) {
    const Reader r(bytes);
    if (!r.Has(0, kHeaderSize) || r.U32(0) != kHeaderSize ||
        bytes.substr(4, 16) != std::string_view(reinterpret_cast<const char*>(kLinkClass), 16))
        return std::nullopt;
    const std::uint32_t flags = r.U32(0x14);
    ShellLinkIcon link;
    link.iconIndex = static_cast<std::int32_t>(r.U32(0x38));
    std::size_t at = kHeaderSize;

    if (flags & kHasTargetIdList) {
        if (!r.Has(at, 2) || !r.Has(at + 2, r.U16(at))) return std::nullopt;
        at += 2 + r.U16(at);
    }
    if (flags & kHasLinkInfo) {
        if (!r.Has(at, 0x1C)) return std::nullopt;
        const std::size_t size = r.U32(at);
        const std::uint32_t headerSize = r.U32(at + 4);
        if (size < 0x1C || !r.Has(at, size)) return std::nullopt;
        const std::size_t end = at + size;
        // A local path: the base path and the suffix after it, in UTF-16 where the structure holds them so.
        if (r.U32(at + 8) & 0x1) {
            if (headerSize >= 0x24 && size >= 0x24) {
                link.target = WideAt(r, at, r.U32(at + 0x1C), end) + WideAt(r, at, r.U32(at + 0x20), end);
            } else {
                link.target = fromCodePage(NarrowAt(r, at, r.U32(at + 0x10), end)) +
                              fromCodePage(NarrowAt(r, at, r.U32(at + 0x18), end));
            }
        }
        at = end;
    }
    // The texts, each its count of characters and then the characters.
    const bool unicode = (flags & kIsUnicode) != 0;
    for (const std::uint32_t part : {kHasName, kHasRelativePath, kHasWorkingDir, kHasArguments, kHasIconLocation}) {
        if (!(flags & part)) continue;
        if (!r.Has(at, 2)) return std::nullopt;
        const std::size_t count = r.U16(at);
        const std::size_t length = unicode ? count * 2 : count;
        if (!r.Has(at + 2, length)) return std::nullopt;
        const std::wstring text = unicode ? r.Wide(at + 2, count, false) : fromCodePage(r.Narrow(at + 2, count));
        if (part == kHasRelativePath) link.relativeTarget = text;
        if (part == kHasIconLocation) link.iconFile = text;
        at += 2 + length;
    }
    // The blocks of extra data, to a block of less than four bytes.
    while (r.Has(at, 8)) {
        const std::size_t size = r.U32(at);
        if (size < 8 || !r.Has(at, size)) break;
        const std::uint32_t signature = r.U32(at + 4);
        if (size >= kEnvironmentBlockSize && (signature == kEnvironmentBlock || signature == kIconEnvironmentBlock)) {
            std::wstring path = r.Wide(at + 8 + 260, 260, true);
            if (path.empty()) path = fromCodePage(r.Narrow(at + 8, 260));
            if (signature == kEnvironmentBlock && (flags & kHasExpString) && !path.empty()) {
                link.target = path;
                link.targetHasVariables = true;
            }
            if (signature == kIconEnvironmentBlock && (flags & kHasExpIcon) && !path.empty()) link.iconFile = path;
        }
        at += size;
    }
    return link;
}

}  // namespace app
