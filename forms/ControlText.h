#pragma once

#include <string>

class QWidget;

// The text of the controls that have one: label, line edit, multi-line edit, combo box and group box
// (the panel with a caption). Other controls have none.
namespace tulma {

// Shows Bytes in Control. Until the user changes the text, ControlText gives back exactly these
// bytes, so that text from a Windows file survives a dialog untouched.
void SetControlText(QWidget* Control, const std::string& Bytes);

// The control's text as bytes: as set when unchanged, otherwise UTF-8. Empty for other controls.
std::string ControlText(const QWidget* Control);

}  // namespace tulma
