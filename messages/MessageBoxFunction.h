#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The desktop's modal message box as the message catalogue sees it: text, caption and a Windows style
// in, a Windows result out. The numbers are the Windows ones because the message file stores them.
namespace tulma {

namespace MessageBoxStyle {
// Bits 0-3: the buttons.
constexpr int32_t Ok = 0x0;
constexpr int32_t OkCancel = 0x1;
constexpr int32_t AbortRetryIgnore = 0x2;
constexpr int32_t YesNoCancel = 0x3;
constexpr int32_t YesNo = 0x4;
constexpr int32_t RetryCancel = 0x5;
constexpr int32_t CancelTryContinue = 0x6;
constexpr int32_t ButtonMask = 0xF;
// Bits 4-7: the icon.
constexpr int32_t IconStop = 0x10;
constexpr int32_t IconQuestion = 0x20;
constexpr int32_t IconExclamation = 0x30;
constexpr int32_t IconInformation = 0x40;
constexpr int32_t IconMask = 0xF0;
// Bits 8-11: which button is the default, counted from 0 in the order listed above.
constexpr int32_t DefaultButtonMask = 0xF00;
constexpr int32_t DefaultButtonShift = 8;
// A message's Flags carry the style in their low 16 bits.
constexpr int32_t StyleMask = 0xFFFF;
}  // namespace MessageBoxStyle

namespace MessageBoxResult {
constexpr int32_t None = 0;
constexpr int32_t Ok = 1;
constexpr int32_t Cancel = 2;
constexpr int32_t Abort = 3;
constexpr int32_t Retry = 4;
constexpr int32_t Ignore = 5;
constexpr int32_t Yes = 6;
constexpr int32_t No = 7;
constexpr int32_t TryAgain = 10;
constexpr int32_t Continue = 11;
}  // namespace MessageBoxResult

// Shows a modal box and returns the result of the button pressed.
using TMessageBoxFunction =
    std::function<int32_t(const std::string& Text, const std::string& Caption, int32_t Style)>;

// Installs the desktop's box (the forms library installs the Qt one); an empty function removes it.
void SetMessageBoxFunction(TMessageBoxFunction Function);

// Shows a box through the installed function. Without one (a program with no desktop) the caption and
// text go to standard error and the result is 0, as for a box that could not be shown.
int32_t ShowMessageBox(const std::string& Text, const std::string& Caption, int32_t Style);

}  // namespace tulma
