// Owners for the Win32 handles the ui layer creates: each closes its handle exactly once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace ui {

template <typename H, BOOL(WINAPI* Close)(H)>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) { reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset(H h = nullptr) {
        if (h_) Close(h_);
        h_ = h;
    }

private:
    H h_ = nullptr;
};

inline BOOL WINAPI DeleteGdiObject(HGDIOBJ h) { return DeleteObject(h); }

using GdiObject = UniqueHandle<HGDIOBJ, DeleteGdiObject>;
using MenuHandle = UniqueHandle<HMENU, DestroyMenu>;
using IconHandle = UniqueHandle<HICON, DestroyIcon>;
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageList_Destroy>;

}  // namespace ui
