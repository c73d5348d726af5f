#include "FInfo.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "FormControls.h"
#include "FormFont.h"
#include "ProductName.h"
#include "ProgramIcon.h"
#include "ProgramVersion.h"

namespace tulma {
namespace {

constexpr int IconSize = 32;

QLabel* NewIcon(QWidget* Parent) {
    auto* Image = new QLabel(Parent);
    Image->setObjectName("Image1");
    Image->setGeometry(166, 6, IconSize, IconSize);
    Image->setPixmap(ProgramIcon().pixmap(IconSize, IconSize));
    return Image;
}

QLabel* NewProductName(QWidget* Parent) {
    auto* Label = new QLabel("Tulma", Parent);
    Label->setObjectName("Label6");
    ShowAsProductName(Label);
    Label->move(26, 24);
    Label->adjustSize();
    return Label;
}

QLabel* NewVersion(QWidget* Parent) {
    auto* Label = new QLabel(QString("Version %1\nDate: %2").arg(ProgramVersion, ProgramDate), Parent);
    Label->setObjectName("Label1");
    Label->setAlignment(Qt::AlignHCenter);
    Label->move(132, 46);
    Label->adjustSize();
    return Label;
}

}  // namespace

TFormInfo::TFormInfo(QWidget* Owner) : TQBForm(Owner) {
    setWindowTitle("About Tulma");
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(385, 368);
    setFont(FormFont("Arial", 12));
    NewIcon(this);
    NewProductName(this);
    NewVersion(this);
    BtnClose = PlaceButton(this, "BtnClose", "Close", {304, 338, 75, 25});
    BtnClose->setDefault(true);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormInfo::showEvent(QShowEvent* Event) {
    TQBForm::showEvent(Event);
    if (!Event->spontaneous()) {
        move(screen()->availableGeometry().center() - rect().center());
        BtnClose->setFocus(Qt::OtherFocusReason);
    }
}

// Escape is the Close button's key, so it closes with the same result.
void TFormInfo::keyPressEvent(QKeyEvent* Event) {
    if (Event->key() == Qt::Key_Escape && Event->modifiers() == Qt::NoModifier) {
        BtnClose->click();
        return;
    }
    TQBForm::keyPressEvent(Event);
}

}  // namespace tulma
