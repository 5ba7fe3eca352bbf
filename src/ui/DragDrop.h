// Files dragged with the mouse, as the shell drags them: out of a control into any program (the system's drag loop
// with a data object that carries the files' exact paths in the shell's formats), and from any program onto a
// control that takes them (a drop target that names the files and lets the control choose copy or move).
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

class Control;

// What became of a drag: nothing (cancelled or refused), or what the target did with the files.
enum class DragEffect { None, Copy, Move, Link };

// A new data object holding the files (CF_HDROP with the exact wide paths, the shell's "Shell IDList Array" and
// "FileNameW", and "Preferred DropEffect" = copy unless preferCopy is false, so that a folder window copies unless
// Shift is held). The caller releases it.
IDataObject* CreateFileDataObject(const std::vector<std::string>& paths, bool preferCopy = true);

// Runs the system's drag loop with the files until the button is released (or Escape pressed). Copy, move and link
// are offered; the target chooses.
DragEffect DragFiles(const std::vector<std::string>& paths);

// The paths a data object carries as CF_HDROP, in UTF-8; empty when it carries no files.
std::vector<std::string> DroppedFiles(IDataObject* data);

// Whether a data object asks for a copy unless the user says otherwise ("Preferred DropEffect").
bool PrefersCopy(IDataObject* data);

// What a control that takes dropped files does with them.
struct FileDropHandlers {
    // The effect a drop at a screen point would have with these keys (MK_CONTROL, MK_SHIFT), among the allowed
    // DROPEFFECT_ bits; DROPEFFECT_NONE refuses it. Called while the files are dragged over the control.
    std::function<DWORD(POINT screen, DWORD keys, DWORD allowed, IDataObject* data)> Effect;
    // The files dropped at the point, with the effect the last Effect gave.
    std::function<void(POINT screen, DWORD effect, const std::vector<std::string>& files)> Drop;
};

// Makes the control a drop target for files (initialising OLE for the thread on first use); the registration ends
// with the control's window.
void AcceptFileDrops(Control& control, FileDropHandlers handlers);

// The drop target of a control that accepts files, or null; for tests, which drop data objects they make.
IDropTarget* FileDropTargetOf(const Control& control);

// Ends the registration of a window that is going (the control layer calls it).
void ForgetFileDrops(HWND hwnd);

}  // namespace ui
