// A kind of file registered in the associations for as long as it lives, as an installer registers one: the
// extension names the class "Tessaly.Test<extension>", whose "DefaultIcon" names the kind's icon. Register may be
// called again to name another icon; everything is taken out again at the end.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace test_support {

class RegisteredKind {
public:
    explicit RegisteredKind(std::wstring extension)
        : extension_(std::move(extension)), kind_(L"Tessaly.Test" + extension_)
    {
    }
    RegisteredKind(std::wstring extension, const std::wstring& defaultIcon) : RegisteredKind(std::move(extension))
    {
        Register(defaultIcon);
    }
    ~RegisteredKind()
    {
        for (const std::wstring& key : {kind_ + L"\\DefaultIcon", kind_, extension_})
            RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
    }
    RegisteredKind(const RegisteredKind&) = delete;
    RegisteredKind& operator=(const RegisteredKind&) = delete;

    // The icon the kind's class names (which may hold "%SystemRoot%"); false when the registry refuses it.
    bool Register(const std::wstring& defaultIcon) const
    {
        return SetValue(extension_, REG_SZ, kind_) && SetValue(kind_ + L"\\DefaultIcon", REG_EXPAND_SZ, defaultIcon);
    }

private:
    static bool SetValue(const std::wstring& key, DWORD type, const std::wstring& value)
    {
        HKEY opened = nullptr;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const LONG set = RegSetValueExW(opened, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(opened);
        return set == ERROR_SUCCESS;
    }

    std::wstring extension_;
    std::wstring kind_;
};

}  // namespace test_support
