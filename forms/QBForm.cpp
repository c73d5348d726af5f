#include "QBForm.h"

#include <QScreen>
#include <QShowEvent>

#include "AppMessages.h"
#include "ControlText.h"
#include "QtListControls.h"

namespace tulma {
namespace {

constexpr int OwnerOffset = 20;

}  // namespace

TQBForm::TQBForm(QWidget* Owner) : QDialog(Owner) {
    if (Owner != nullptr && Owner->isWindow()) {
        FPlacedBesideOwner = true;
        move(Owner->mapToGlobal(QPoint(0, 0)) + QPoint(OwnerOffset, OwnerOffset));
    }
}

std::string TQBForm::GetControlText(const QWidget* Control) const {
    return ControlText(Control);
}

std::string TQBForm::GetRequiredText(QWidget* Control) {
    std::string Text = GetControlText(Control);
    if (Text.empty() && !InputError) {
        ShowAppMessage(MessageNumber::RequiredField);
        SetFocusTo(Control);
        InputError = true;
    }
    return Text;
}

bool TQBForm::GetSelectedIndex(QWidget* Control, int32_t& Index) {
    if (const auto List = ListControlFor(Control)) {
        Index = List->SelectedIndex();
    }
    if (!InputError && Index == -1) {
        ShowAppMessage(MessageNumber::NothingSelected);
        SetFocusTo(Control);
    }
    InputError = InputError || Index == -1;
    return Index != -1;
}

void TQBForm::SetFocusTo(QWidget* Control) {
    if (Control != nullptr && Control->focusPolicy() != Qt::NoFocus) {
        Control->setFocus(Qt::OtherFocusReason);
    }
}

void TQBForm::showEvent(QShowEvent* Event) {
    if (!FShown && !Event->spontaneous()) {
        FShown = true;
        FitOnScreen();
    }
    QDialog::showEvent(Event);
}

void TQBForm::FitOnScreen() {
    if (!FPlacedBesideOwner) {
        return;
    }
    const QWidget* Owner = parentWidget();
    const QScreen* Screen = Owner != nullptr ? Owner->screen() : screen();
    const QRect ScreenArea = Screen->geometry();
    const QRect Placed = frameGeometry();
    if (Placed.bottom() > ScreenArea.bottom() || Placed.right() > ScreenArea.right()) {
        move(ScreenArea.topLeft());
    }
}

}  // namespace tulma
