#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

namespace tulma {

// The base of every window of the program. It places a dialog beside the window that opens it, and
// its input helpers read fields, complain through the message catalogue and set InputError, so that
// an OK handler can read every field in one go and then decide whether to close.
//
// The controls the helpers know: QLabel, QLineEdit, QPlainTextEdit and QTextEdit (memo), QComboBox and
// QGroupBox (panel) have a text; QListWidget (list box) and QComboBox have a selected index.
class TQBForm : public QDialog {
    Q_OBJECT

  public:
    // A dialog whose Owner is a window starts 20 pixels right of and below the top-left corner of
    // the Owner's client area; when it does not fit on the Owner's screen there, at the screen's
    // top-left corner (checked when the form is first shown, when its size is known). A form without
    // such an Owner keeps the position Qt gives it.
    explicit TQBForm(QWidget* Owner = nullptr);

    // Set by a helper whose check failed; read and cleared by the window's own code. While it is set,
    // further failed checks neither complain nor move the focus: one complaint per OK attempt.
    bool InputError = false;

    // The control's text; empty for a control without one. Checks nothing.
    std::string GetControlText(const QWidget* Control) const;
    // The control's text; when it is empty, message 10 and the focus go to the control (once).
    std::string GetRequiredText(QWidget* Control);
    // True when the list box or combo box has a selected row; Index receives it (other controls leave
    // Index as it was). Without one, message 8 and the focus go to the control (once).
    bool GetSelectedIndex(QWidget* Control, int32_t& Index);
    // Makes Control the focused control of its window, when it can take the focus.
    void SetFocusTo(QWidget* Control);

  protected:
    void showEvent(QShowEvent* Event) override;

  private:
    void FitOnScreen();

    bool FPlacedBesideOwner = false;
    bool FShown = false;
};

}  // namespace tulma
