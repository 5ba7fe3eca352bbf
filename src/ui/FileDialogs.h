// The system's file-open dialog as a non-visual component of a form.
#pragma once

#include <string>

#include "ui/Component.h"

namespace ui {

class OpenDialog : public Component {
public:
    explicit OpenDialog(Component* owner, const std::string& name);

    // Filter in the system's format ("Text\0*.txt\0" pairs as one string with NULs); empty: every file.
    std::string Filter;
    // Caption of the dialog; empty: the system's own.
    std::string Title;
    // After Execute: the chosen file's full path.
    std::string FileName;

    // Shows the dialog modally, owned by the window of the component's owner. True with FileName set when the user
    // chose a file. The process's current folder stays as it was.
    bool Execute();
};

}  // namespace ui
