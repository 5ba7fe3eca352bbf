// Real keyboard and mouse input (SendInput), for what posted messages cannot do: shortcut keys, whose
// modifier state the program's accelerators read from the input state, and mouse drags of the window.
// Under Wine SendInput reaches the foreground window's thread, so each call first makes the target's
// top-level window the foreground window and waits until it is.
#pragma once

#include "driver/Window.h"

#include <string>

namespace driver {

// Presses and releases a key or a chord on target's top-level window: "F5", "F2", "Enter", "Esc", "Del",
// "Tab", "Up", "Space", "A", "Ctrl+F", "Ctrl+O", "Alt+Enter", "Shift+Tab". Names ignore case. The keys go
// to the focused control of that window, and through the program's message loop and its shortcuts.
// Throws DriverError for an unknown key name or when the window cannot be brought to the foreground.
void PressKeys(const Window& target, const std::string& chord);

// Types text (UTF-8) on target's top-level window, one character after another, as a keyboard that sends characters
// does (Japanese included): each reaches the focused control through the program's message loop as a character.
void TypeText(const Window& target, const std::string& text);

// Releases Ctrl, Shift and Alt where the system or this thread still takes one for down (an earlier chord whose
// release went to a window that was gone); returns their names ("Ctrl Shift"), empty when all were up.
std::string ReleaseModifiers();

// Makes the top-level window of target the foreground window; throws DriverError when it does not become it.
void BringToForeground(const Window& target);

// Real mouse: moves the cursor to a screen point; presses and releases the left button; clicks.
void MouseMoveTo(Point screen);
void MouseLeftDown();
void MouseLeftUp();
void MouseClick(Point screen);
// Presses the left button at from, moves in a few steps to to, releases there (drags a caption-less window).
void MouseDrag(Point from, Point to);

}  // namespace driver
