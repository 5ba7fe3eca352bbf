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
    // The effect a drop of the files at a screen point would have with these keys (MK_CONTROL, MK_SHIFT), among
    // the allowed DROPEFFECT_ bits; DROPEFFECT_NONE refuses it. sourcePrefersCopy: the source asks for a copy
    // unless the user says otherwise. Called while the files are dragged over the control, and at the drop.
    std::function<DWORD(POINT screen, DWORD keys, DWORD allowed, const std::vector<std::string>& files,
                        bool sourcePrefersCopy)>
        Effect;
    // The files dropped at the point, with the effect Effect gave for the drop. Returns what was done:
    // DROPEFFECT_MOVE when the handler moved files itself, DROPEFFECT_COPY when it copied them, DROPEFFECT_NONE
    // when no file went. It must not hold the source's drag loop (a box about refused files waits for later).
    std::function<DWORD(POINT screen, DWORD effect, const std::vector<std::string>& files)> Drop;
};

// Makes the control take dropped files, except while a modal window of the program (a dialog, a message box) is
// open: then the window under it refuses every drop, as it refuses the mouse and the keys. At once it takes them as the system hands files to any window that
// accepts them (WM_DROPFILES, which costs nothing until a drop); from the first mouse move over a window of the
// program on (ActivateFileDrops), it is a drop target of OLE, whose cursor shows a copy or a move. The second
// costs OLE's cross-process machinery (about a megabyte under Wine), which start-up does without.
void AcceptFileDrops(Control& control, FileDropHandlers handlers);

// The source is answered as the shell's folder windows answer it: a move the target performed itself (an
// optimised move) comes back as no effect, so that the source deletes nothing, with "Performed DropEffect" none and
// "Logical Performed DropEffect" move set on the data object; a copy comes back as a copy; a drop of which no file
// went, as no effect.

// Registers the OLE drop targets of the controls that accept files (once; the program's message loop calls it on
// the first mouse move).
void ActivateFileDrops();

// For the control layer: a WM_DROPFILES for a control that accepts files (true when handled), and the end of a
// window that goes.
bool HandleDropFiles(HWND hwnd, HDROP drop);
void ForgetFileDrops(HWND hwnd);

// The OLE drop target of a control that accepts files once ActivateFileDrops has run, or null; for tests, which
// drop data objects they make.
IDropTarget* FileDropTargetOf(const Control& control);

}  // namespace ui
