// TFolderDlg: the non-visual folder picker. Execute shows the shell's folder-browse dialog, owned by the window of
// the component's owner, and hands back the chosen folder's full path in FolderName.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Component.h"

class TFolderDlg : public ui::Component {
public:
    explicit TFolderDlg(ui::Component* owner);

    // Text shown above the folder tree; empty shows none.
    std::string Title;
    // Folder selected when the dialog opens; empty leaves the shell's own starting selection. It does not limit
    // the tree.
    std::string Root;
    // After Execute: the chosen folder's full path, or empty when the user cancelled.
    std::string FolderName;

    // Shows the browse dialog modally. True with FolderName set when the user chose a folder; false with
    // FolderName empty when the user cancelled.
    bool Execute();

private:
    HWND OwnerWindow() const;
};

// The browse dialog's callback: once the dialog is up, selects the folder whose path is passed as data.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);
