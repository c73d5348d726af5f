#include "WindowClassOffer.h"

#include <QAction>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>
#include <QStyle>

#include "ControlText.h"
#include "DesktopEntry.h"
#include "QtText.h"

namespace tulma {
namespace {

const QString WhatItHolds = QStringLiteral("title text, or class:NAME");

}  // namespace

TWindowClassOffer::TWindowClassOffer(QLineEdit* File, QLineEdit* Directory, QLineEdit* WindowText)
    : QObject(WindowText),
      FFile(File),
      FDirectory(Directory),
      FWindowText(WindowText),
      FUse(WindowText->addAction(QIcon::fromTheme(QStringLiteral("go-previous"),
                                                  WindowText->style()->standardIcon(QStyle::SP_ArrowLeft)),
                                 QLineEdit::TrailingPosition)),
      FCompletions(new QStringListModel(this)) {
    FUse->setObjectName("UseWindowClass");
    auto* Completer = new QCompleter(FCompletions, this);
    Completer->setCaseSensitivity(Qt::CaseInsensitive);
    FWindowText->setCompleter(Completer);
    connect(FUse, &QAction::triggered, this, [this] { SetControlText(FWindowText, FOffer); });
    for (QLineEdit* Field : {FFile, FDirectory, FWindowText}) {
        connect(Field, &QLineEdit::textChanged, this, &TWindowClassOffer::Update);
    }
    Update();
}

void TWindowClassOffer::Update() {
    const TDesktopEntryLookup Found = FindDesktopEntry(ControlText(FFile), ControlText(FDirectory));
    FOffer = Found.Entry ? "class:" + Found.Entry->WindowClass() : std::string();
    const QString Offer = ToQString(FOffer);
    FWindowText->setPlaceholderText(FOffer.empty() ? WhatItHolds : Offer);
    FUse->setToolTip(
        QStringLiteral("Use %1: the hotkey brings back a running window of the application").arg(Offer));
    FUse->setVisible(!FOffer.empty() && FWindowText->text().isEmpty());
    FCompletions->setStringList(FOffer.empty() ? QStringList() : QStringList{Offer});
}

}  // namespace tulma
