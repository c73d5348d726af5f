#pragma once

#include <memory>

#include "ListControl.h"

class QComboBox;
class QListWidget;
class QWidget;

// Qt's list box and combo box as the reference lists and the base form reach them.
namespace tulma {

// A list box. Its selected row is the current row while that row is selected.
class TListWidgetControl final : public IListControl {
  public:
    explicit TListWidgetControl(QListWidget* Widget) : FWidget(Widget) {}

    int32_t RowCount() const override;
    void Clear() override;
    void AddRow(const std::string& Text) override;
    int32_t SelectedIndex() const override;
    void SetSelectedIndex(int32_t Index) override;
    bool IsRowSelected(int32_t Row) const override;
    void SetRowSelected(int32_t Row, bool Selected) override;

  private:
    QListWidget* FWidget;
};

// A combo box. Its selected row is its current index; it never has more than one.
class TComboBoxControl final : public IListControl {
  public:
    explicit TComboBoxControl(QComboBox* Widget) : FWidget(Widget) {}

    int32_t RowCount() const override;
    void Clear() override;
    void AddRow(const std::string& Text) override;
    int32_t SelectedIndex() const override;
    void SetSelectedIndex(int32_t Index) override;
    bool IsRowSelected(int32_t Row) const override;
    void SetRowSelected(int32_t Row, bool Selected) override;

  private:
    QComboBox* FWidget;
};

// The adapter for a list box or a combo box, none for any other control.
std::unique_ptr<IListControl> ListControlFor(QWidget* Control);

}  // namespace tulma
