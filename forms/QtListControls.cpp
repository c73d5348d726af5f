#include "QtListControls.h"

#include <QComboBox>
#include <QListWidget>

#include "QtText.h"

namespace tulma {

template <class TWidget>
int32_t TQtRowsControl<TWidget>::RowCount() const {
    return FWidget->count();
}

template <class TWidget>
void TQtRowsControl<TWidget>::Clear() {
    FWidget->clear();
}

template <class TWidget>
void TQtRowsControl<TWidget>::AddRow(const std::string& Text) {
    FWidget->addItem(ToQString(Text));
}

template class TQtRowsControl<QListWidget>;
template class TQtRowsControl<QComboBox>;

int32_t TListWidgetControl::SelectedIndex() const {
    const QListWidgetItem* Current = FWidget->currentItem();
    return Current != nullptr && Current->isSelected() ? FWidget->currentRow() : -1;
}

void TListWidgetControl::SetSelectedIndex(int32_t Index) {
    if (Index >= 0 && Index < RowCount()) {
        FWidget->setCurrentRow(Index, QItemSelectionModel::ClearAndSelect);
    } else {
        FWidget->clearSelection();
        FWidget->setCurrentRow(-1);
    }
}

bool TListWidgetControl::IsRowSelected(int32_t Row) const {
    const QListWidgetItem* Item = FWidget->item(Row);
    return Item != nullptr && Item->isSelected();
}

void TListWidgetControl::SetRowSelected(int32_t Row, bool Selected) {
    if (QListWidgetItem* Item = FWidget->item(Row)) {
        Item->setSelected(Selected);
    }
}

int32_t TComboBoxControl::SelectedIndex() const {
    return FWidget->currentIndex();
}

void TComboBoxControl::SetSelectedIndex(int32_t Index) {
    FWidget->setCurrentIndex(Index >= 0 && Index < RowCount() ? Index : -1);
}

bool TComboBoxControl::IsRowSelected(int32_t Row) const {
    return Row >= 0 && Row == FWidget->currentIndex();
}

void TComboBoxControl::SetRowSelected(int32_t Row, bool Selected) {
    if (Selected) {
        SetSelectedIndex(Row);
    } else if (IsRowSelected(Row)) {
        SetSelectedIndex(-1);
    }
}

std::unique_ptr<IListControl> ListControlFor(QWidget* Control) {
    if (auto* List = qobject_cast<QListWidget*>(Control)) {
        return std::make_unique<TListWidgetControl>(List);
    }
    if (auto* Combo = qobject_cast<QComboBox*>(Control)) {
        return std::make_unique<TComboBoxControl>(Combo);
    }
    return nullptr;
}

}  // namespace tulma
