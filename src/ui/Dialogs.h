// The program's message boxes, each with its exact caption and button captions whatever the system language.
// Texts joined with "\n\r" keep that order of line feed and carriage return.
#pragma once

#include <string>

namespace ui {

// Information or refusal: the text, one "OK" button, the application title as caption.
void ShowMessage(const std::string& text);

// Confirmation: caption "警告", warning icon, "はい(&Y)" (default) and "いいえ(&N)"; Escape answers No.
// True only for Yes.
bool ConfirmWarning(const std::string& text);

// Error: caption "エラー", error icon, one "中止(&A)" button.
void ShowErrorAbort(const std::string& text);

// Question without icon under the application title: "はい(&Y)" (default) and "いいえ(&N)"; Escape answers No.
bool AskYesNo(const std::string& text);

// Whether one of these boxes is open now (the program is modal while it is).
bool MessageBoxOpen();

}  // namespace ui
