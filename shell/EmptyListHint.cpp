#include "EmptyListHint.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>

namespace tulma {

TEmptyListHint::TEmptyListHint(QListWidget* List, const QString& Text)
    : FLabel(new QLabel(Text, List->viewport())), FModel(List->model()) {
    setParent(FLabel);
    FLabel->setObjectName("LabEmptyList");
    FLabel->setAlignment(Qt::AlignCenter);
    FLabel->setWordWrap(true);
    FLabel->setMargin(12);
    FLabel->setForegroundRole(QPalette::PlaceholderText);
    FLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    List->viewport()->installEventFilter(this);
    connect(FModel, &QAbstractItemModel::rowsInserted, this, &TEmptyListHint::Update);
    connect(FModel, &QAbstractItemModel::rowsRemoved, this, &TEmptyListHint::Update);
    connect(FModel, &QAbstractItemModel::modelReset, this, &TEmptyListHint::Update);
    Update();
}

bool TEmptyListHint::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::Resize) {
        FLabel->setGeometry(FLabel->parentWidget()->rect());
    }
    return QObject::eventFilter(Watched, Event);
}

void TEmptyListHint::Update() {
    FLabel->setGeometry(FLabel->parentWidget()->rect());
    FLabel->setVisible(FModel->rowCount() == 0);
}

}  // namespace tulma
