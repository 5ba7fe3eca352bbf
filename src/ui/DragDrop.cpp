#include "ui/DragDrop.h"

#include <shlobj.h>
#include <shellapi.h>

#include <cstring>
#include <map>
#include <utility>

#include "ui/CodePage.h"
#include "ui/Control.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Guard.h"

namespace ui {

namespace {

// OLE for this thread, once, on the first drag or the first OLE drop target.
bool EnsureOle() {
    static const bool ready = SUCCEEDED(OleInitialize(nullptr));
    return ready;
}

UINT ClipboardFormat(const wchar_t* name) { return RegisterClipboardFormatW(name); }

// The exact paths of a CF_HDROP, in UTF-8.
std::vector<std::string> FilesOf(HDROP drop) {
    std::vector<std::string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, &path[0], static_cast<UINT>(path.size())));
        files.push_back(FromWide(path));
    }
    return files;
}

// A global memory block holding bytes.
HGLOBAL GlobalCopy(const void* bytes, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!memory) return nullptr;
    if (void* p = GlobalLock(memory)) {
        std::memcpy(p, bytes, size);
        GlobalUnlock(memory);
    }
    return memory;
}

std::string GlobalBytes(HGLOBAL memory) {
    std::string bytes;
    if (const void* p = GlobalLock(memory)) {
        bytes.assign(static_cast<const char*>(p), GlobalSize(memory));
        GlobalUnlock(memory);
    }
    return bytes;
}

// DROPFILES followed by the wide paths, each ended by a null, and one more null.
std::string HDropBytes(const std::vector<std::wstring>& paths) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (const std::wstring& p : paths)
        bytes.append(reinterpret_cast<const char*>(p.c_str()), (p.size() + 1) * sizeof(wchar_t));
    bytes.append(sizeof(wchar_t), '\0');
    return bytes;
}

// The shell's "Shell IDList Array" (CIDA): the folder's item list, then each file's relative to it; empty when the
// shell cannot name a path.
std::string ShellIdListBytes(const std::vector<std::wstring>& paths) {
    std::vector<std::string> items;
    std::string parent;
    for (const std::wstring& p : paths) {
        PIDLIST_ABSOLUTE full = nullptr;
        if (FAILED(SHParseDisplayName(p.c_str(), nullptr, &full, 0, nullptr)) || !full) return {};
        const auto* last = ILFindLastID(full);
        const UINT fullSize = ILGetSize(full);
        const UINT lastSize = ILGetSize(last);  // the item and the terminating zero
        const size_t parentBytes = fullSize - lastSize;
        std::string folder(reinterpret_cast<const char*>(full), parentBytes);
        folder.append(2, '\0');
        if (parent.empty()) parent = folder;
        items.emplace_back(reinterpret_cast<const char*>(last), lastSize);
        CoTaskMemFree(full);
        if (folder != parent) return {};  // files of one folder only
    }
    std::vector<UINT> offsets;
    UINT at = static_cast<UINT>(sizeof(UINT) * (items.size() + 2));
    offsets.push_back(at);
    at += static_cast<UINT>(parent.size());
    for (const std::string& item : items) {
        offsets.push_back(at);
        at += static_cast<UINT>(item.size());
    }
    const UINT count = static_cast<UINT>(items.size());
    std::string bytes(reinterpret_cast<const char*>(&count), sizeof count);
    bytes.append(reinterpret_cast<const char*>(offsets.data()), offsets.size() * sizeof(UINT));
    bytes += parent;
    for (const std::string& item : items) bytes += item;
    return bytes;
}

// One COM interface with its reference count; the object goes with the last reference.
template <typename Interface, const IID& InterfaceId>
class ComObject : public Interface {
public:
    virtual ~ComObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, InterfaceId)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

private:
    ULONG refs_ = 1;
};

// A data object of fixed formats, each an HGLOBAL of bytes; a target may add formats (the shell sets "Performed
// DropEffect" and the like).
class FileDataObject final : public ComObject<IDataObject, IID_IDataObject> {
public:
    void Put(UINT format, std::string bytes) { formats_[format] = std::move(bytes); }


    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        const auto found = Find(format);
        if (found == formats_.end()) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = GlobalCopy(found->second.data(), found->second.size());
        medium->pUnkForRelease = nullptr;
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return Find(format) != formats_.end() ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override {
        if (!format || !medium || format->tymed != TYMED_HGLOBAL || medium->tymed != TYMED_HGLOBAL) return E_NOTIMPL;
        formats_[format->cfFormat] = GlobalBytes(medium->hGlobal);
        if (release) ReleaseStgMedium(medium);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> list;
        for (const auto& f : formats_)
            list.push_back(FORMATETC{static_cast<CLIPFORMAT>(f.first), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::map<UINT, std::string>::const_iterator Find(const FORMATETC* format) const {
        if (!format || !(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT) return formats_.end();
        return formats_.find(format->cfFormat);
    }

    std::map<UINT, std::string> formats_;
};

// Drops when the left button is let go, gives up on Escape; the system's cursors show the effect.
class FileDropSource final : public ComObject<IDropSource, IID_IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// Whether the control's window takes drops now: not while a modal window of the program is open (a modal form, a
// message box, or a system dialog that has disabled the window).
bool TakesDropsNow(HWND hwnd) {
    return Form::InnermostModal() == nullptr && !MessageBoxOpen() && IsWindowEnabled(GetAncestor(hwnd, GA_ROOT));
}

// Sets a DWORD format on the source's data object; a source that keeps no such formats is left as it is.
void SetDropEffectFormat(IDataObject* data, const wchar_t* format, DWORD value) {
    FORMATETC etc{static_cast<CLIPFORMAT>(ClipboardFormat(format)), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = GlobalCopy(&value, sizeof value);
    if (!medium.hGlobal) return;
    if (FAILED(data->SetData(&etc, &medium, TRUE))) ReleaseStgMedium(&medium);
}

// Tells the source what became of its files (see the header), and returns the effect Drop answers with.
DWORD AnswerSource(IDataObject* data, DWORD performed) {
    if (data) {
        SetDropEffectFormat(data, L"Performed DropEffect", performed == DROPEFFECT_MOVE ? DROPEFFECT_NONE : performed);
        SetDropEffectFormat(data, L"Logical Performed DropEffect", performed);
    }
    return performed == DROPEFFECT_MOVE ? DROPEFFECT_NONE : performed;
}

// The OLE drop target of one control: asks its handlers, never lets an exception out to the system's loop.
class FileDropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
public:
    FileDropTarget(HWND hwnd, FileDropHandlers handlers) : hwnd_(hwnd), handlers_(std::move(handlers)) {}

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
        files_ = DroppedFiles(data);
        prefersCopy_ = PrefersCopy(data);
        return DragOver(keys, pt, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
        const DWORD allowed = *effect;
        DWORD chosen = DROPEFFECT_NONE;
        GuardedCall([&] {
            if (!files_.empty() && TakesDropsNow(hwnd_))
                chosen = handlers_.Effect(POINT{pt.x, pt.y}, keys, allowed, files_, prefersCopy_);
        });
        *effect = chosen & allowed;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        files_.clear();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
        DragEnter(data, keys, pt, effect);
        const std::vector<std::string> files = std::move(files_);
        DragLeave();
        DWORD performed = DROPEFFECT_NONE;
        if (*effect != DROPEFFECT_NONE)
            GuardedCall([&] { performed = handlers_.Drop(POINT{pt.x, pt.y}, *effect, files); });
        *effect = AnswerSource(data, performed & *effect);
        return S_OK;
    }

private:
    HWND hwnd_;
    FileDropHandlers handlers_;
    std::vector<std::string> files_;
    bool prefersCopy_ = false;
};

// The controls that accept files, by window: their handlers and, once registered, their OLE drop target.
struct DropRegistration {
    FileDropHandlers handlers;
    IDropTarget* target = nullptr;
};

std::map<HWND, DropRegistration>& Registered() {
    static std::map<HWND, DropRegistration> registrations;
    return registrations;
}

bool oleDropsActive = false;

void RegisterOleTarget(HWND hwnd, DropRegistration& r) {
    auto* target = new FileDropTarget(hwnd, r.handlers);
    if (SUCCEEDED(RegisterDragDrop(hwnd, target))) r.target = target;
    target->Release();  // the registration holds it
}

}  // namespace

IDataObject* CreateFileDataObject(const std::vector<std::string>& paths, bool preferCopy) {
    EnsureOle();
    std::vector<std::wstring> wide;
    for (const std::string& p : paths) wide.push_back(ToWide(p));
    auto* object = new FileDataObject;
    object->Put(CF_HDROP, HDropBytes(wide));
    if (std::string ids = ShellIdListBytes(wide); !ids.empty())
        object->Put(ClipboardFormat(L"Shell IDList Array"), std::move(ids));
    if (!wide.empty()) {
        object->Put(ClipboardFormat(L"FileNameW"),
                    std::string(reinterpret_cast<const char*>(wide[0].c_str()), (wide[0].size() + 1) * 2));
    }
    if (preferCopy) {
        const DWORD copy = DROPEFFECT_COPY;
        object->Put(ClipboardFormat(L"Preferred DropEffect"), std::string(reinterpret_cast<const char*>(&copy), 4));
    }
    return object;
}

DragEffect DragFiles(const std::vector<std::string>& paths) {
    if (!EnsureOle()) return DragEffect::None;
    IDataObject* data = CreateFileDataObject(paths);
    IDropSource* source = new FileDropSource;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr =
        DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    source->Release();
    data->Release();
    if (hr != DRAGDROP_S_DROP) return DragEffect::None;
    if (effect & DROPEFFECT_MOVE) return DragEffect::Move;
    if (effect & DROPEFFECT_COPY) return DragEffect::Copy;
    if (effect & DROPEFFECT_LINK) return DragEffect::Link;
    return DragEffect::None;
}

std::vector<std::string> DroppedFiles(IDataObject* data) {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return {};
    std::vector<std::string> files = FilesOf(static_cast<HDROP>(medium.hGlobal));
    ReleaseStgMedium(&medium);
    return files;
}

bool PrefersCopy(IDataObject* data) {
    FORMATETC format{static_cast<CLIPFORMAT>(ClipboardFormat(L"Preferred DropEffect")), nullptr,
                     DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return false;
    const std::string bytes = GlobalBytes(medium.hGlobal);
    ReleaseStgMedium(&medium);
    DWORD preferred = 0;
    if (bytes.size() >= sizeof preferred) std::memcpy(&preferred, bytes.data(), sizeof preferred);
    return (preferred & DROPEFFECT_COPY) && !(preferred & DROPEFFECT_MOVE);
}

void AcceptFileDrops(Control& control, FileDropHandlers handlers) {
    const HWND hwnd = control.Handle();
    if (Registered().count(hwnd)) return;
    DropRegistration& r = Registered()[hwnd];
    r.handlers = std::move(handlers);
    SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    if (oleDropsActive && EnsureOle()) RegisterOleTarget(hwnd, r);
}

void ActivateFileDrops() {
    if (oleDropsActive || Registered().empty()) return;
    oleDropsActive = true;
    if (!EnsureOle()) return;
    for (auto& [hwnd, r] : Registered())
        if (!r.target) RegisterOleTarget(hwnd, r);
}

bool HandleDropFiles(HWND hwnd, HDROP drop) {
    const auto found = Registered().find(hwnd);
    if (found == Registered().end()) return false;
    const std::vector<std::string> files = FilesOf(drop);
    POINT at{};
    DragQueryPoint(drop, &at);
    ClientToScreen(hwnd, &at);
    DragFinish(drop);
    // The keys held at the drop decide, as they would over an OLE target.
    const DWORD keys = (GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0) | (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0);
    const FileDropHandlers& h = found->second.handlers;
    if (files.empty() || !TakesDropsNow(hwnd)) return true;
    const DWORD effect = h.Effect(at, keys, DROPEFFECT_COPY | DROPEFFECT_MOVE, files, false);
    if (effect != DROPEFFECT_NONE) h.Drop(at, effect, files);
    return true;
}

IDropTarget* FileDropTargetOf(const Control& control) {
    const auto found = Registered().find(control.Handle());
    return found == Registered().end() ? nullptr : found->second.target;
}

void ForgetFileDrops(HWND hwnd) {
    const auto found = Registered().find(hwnd);
    if (found == Registered().end()) return;
    if (found->second.target) RevokeDragDrop(hwnd);
    Registered().erase(found);
}

}  // namespace ui
