// Reads the icons that files carry themselves (programs, shortcuts, ...) on a thread of its own, so that a slow or
// vanished drive never holds the window: until a file's own icon has come, the list shows its kind's. The reading
// starts once the window is idle after a fill; the rows the list draws are read first; each new fill starts over and
// drops what the last one had not read yet.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/rules/OwnIcon.h"
#include "ui/Handles.h"
#include "ui/MessageWindow.h"

namespace app {

class OwnIconReader {
public:
    using Files = std::vector<std::pair<std::wstring, OwnIcon>>;

    // arrived runs on the window's thread whenever icons have come in.
    explicit OwnIconReader(std::function<void()> arrived);
    ~OwnIconReader();
    OwnIconReader(const OwnIconReader&) = delete;
    OwnIconReader& operator=(const OwnIconReader&) = delete;

    // Drops what is pending and reads the icons of these files of folder (with its trailing backslash) at size
    // pixels, in this order but for the rows asked for by Find.
    void Start(const std::wstring& folder, Files files, int size);
    // Drops what is pending and forgets the icons read.
    void Drop();
    // The icon read for the file at size, an index in Images(), or -1 while there is none; a file of the fill not
    // read yet is read next (it is being drawn). Asked at another size, the fill is read again at that one.
    int Find(const std::wstring& name, int size);
    HIMAGELIST Images() const { return images_.get(); }

    struct Job;

private:
    // Starts the thread that reads the fill's icons.
    void StartReading();
    // Adds the icons read since the last time to the list; false when none had come.
    bool TakeArrivals();

    std::function<void()> arrived_;
    std::unique_ptr<ui::MessageWindow> window_;
    std::shared_ptr<Job> job_;
    ui::ImageListHandle images_;
    int size_ = 0;
    std::wstring folder_;
    Files files_;
    std::unordered_map<std::wstring, int> places_;  // each file the reader reads, with its place in its list
    std::vector<bool> asked_;                       // by place: asked to be read next
    std::unordered_map<std::wstring, int> found_;
};

}  // namespace app
