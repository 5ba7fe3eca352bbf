// Reads the icons that files carry themselves (programs, shortcuts, ...) on a thread of its own, so that a slow or
// vanished drive never holds the window: until a file's own icon has come, the list shows its kind's. Each new
// fill starts over and drops what the last one had not read yet.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/MessageWindow.h"

namespace app {

class OwnIconReader {
public:
    // arrived runs on the window's thread whenever icons have come in.
    explicit OwnIconReader(std::function<void()> arrived);
    ~OwnIconReader();
    OwnIconReader(const OwnIconReader&) = delete;
    OwnIconReader& operator=(const OwnIconReader&) = delete;

    // Drops what is pending and reads the icons of these files of folder (with its trailing backslash), in this
    // order: the rows in view first.
    void Start(const std::wstring& folder, std::vector<std::wstring> names);
    // Drops what is pending and forgets the icons read.
    void Drop();
    // The system image list index of the icon read for the file, or -1 while there is none.
    int Find(const std::wstring& name) const;

    struct Job;

private:
    void TakeArrivals();

    std::function<void()> arrived_;
    std::unique_ptr<ui::MessageWindow> window_;
    std::shared_ptr<Job> job_;
    std::unordered_map<std::wstring, int> found_;
};

}  // namespace app
