#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QMessageBox;
class QWidget;

namespace tulma {

// The Qt message box behind the catalogue. It is built from a Windows message box style (the low 16
// bits of a message's Flags): buttons from bits 0-3, icon from bits 4-7, default button from bits
// 8-11; and it answers with the Windows result numbers (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore,
// 6 Yes, 7 No, 10 Try Again, 11 Continue). See MessageBoxFunction.h for the numbers by name.
//
// Tests never open a real box: see TMessageBoxScript.
class TMessageBox {
  public:
    // Shows a modal box owned by the active window (every other window of the program is blocked
    // while it is open) and returns the result of the button pressed. While a TMessageBoxScript
    // exists, the script answers instead.
    static int32_t Show(const std::string& Text, const std::string& Caption, int32_t Style);

    // Makes Show the box of the message catalogue (SetMessageBoxFunction). TApplication does this.
    static void Install();

    // The results of the style's buttons, in their Windows order (an unknown button code gives OK).
    static std::vector<int32_t> ButtonResults(int32_t Style);
    // The result of the style's default button; the first button when bits 8-11 name none.
    static int32_t DefaultResult(int32_t Style);

    // The box that Show runs, ready for exec(); Owner may be none.
    static std::unique_ptr<QMessageBox> Build(const std::string& Text, const std::string& Caption,
                                              int32_t Style, QWidget* Owner);
    // The result of the button that closed Box; Cancel when it was closed without one.
    static int32_t ResultOf(const QMessageBox& Box);
};

}  // namespace tulma
