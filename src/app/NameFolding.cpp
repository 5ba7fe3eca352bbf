#include "app/NameFolding.h"

#include <windows.h>

#include "app/rules/NameFilter.h"
#include "text/Utf8.h"

namespace app {

namespace {

using NormalizeStringFunction = int(WINAPI*)(NORM_FORM, LPCWSTR, int, LPWSTR, int);

// NormalizeString: in kernel32 since Windows 7, in normaliz.dll before; without it names stay as written.
NormalizeStringFunction NormalizeFunction() {
    static const NormalizeStringFunction function = [] {
        FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "NormalizeString");
        if (!found) {
            if (HMODULE normaliz = LoadLibraryW(L"normaliz.dll")) found = GetProcAddress(normaliz, "NormalizeString");
        }
        return reinterpret_cast<NormalizeStringFunction>(reinterpret_cast<void (*)()>(found));
    }();
    return function;
}

std::wstring Composed(const std::wstring& text) {
    const NormalizeStringFunction normalize = NormalizeFunction();
    if (!normalize) return text;
    const int length = static_cast<int>(text.size());
    std::wstring out(text.size() * 3 + 16, L'\0');  // NFC rarely grows a text; the system says when it would
    int n = normalize(NormalizationC, text.c_str(), length, &out[0], static_cast<int>(out.size()));
    if (n <= 0) return text;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

// The system's mapping of text in the Japanese locale (the same under every user locale).
std::wstring Mapped(const std::wstring& text, DWORD flags) {
    const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);
    const int length = static_cast<int>(text.size());
    // Room for twice the text first: a name takes one call, not a second one to ask for the size.
    std::wstring out(text.size() * 2 + 8, L'\0');
    int n = LCMapStringW(japanese, flags, text.c_str(), length, &out[0], static_cast<int>(out.size()));
    if (n <= 0) {
        n = LCMapStringW(japanese, flags, text.c_str(), length, nullptr, 0);
        if (n <= 0) return text;
        out.assign(static_cast<std::size_t>(n), L'\0');
        n = LCMapStringW(japanese, flags, text.c_str(), length, &out[0], n);
    }
    out.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return out;
}

}  // namespace

std::string FoldName(std::string_view text) {
    // The mappings below give ASCII back in lower case and nothing else changed: done directly, for the many names
    // that are ASCII alone.
    if (IsAscii(text)) return LowerAscii(text);
    std::u16string units;
    text::AppendUtf16(text, units);
    std::wstring wide(units.begin(), units.end());
    if (MayChangeUnderComposition(units)) wide = Composed(wide);
    // Full width first: the half-width katakana (with their separate voicing marks) become whole katakana, which the
    // same pass turns into hiragana. Then half width: Latin letters, digits and spaces take one width again.
    wide = Mapped(wide, LCMAP_LOWERCASE | LCMAP_HIRAGANA | LCMAP_FULLWIDTH);
    wide = Mapped(wide, LCMAP_HALFWIDTH);
    std::string folded;
    text::AppendUtf8(std::wstring_view(wide), folded);
    return folded;
}

}  // namespace app
