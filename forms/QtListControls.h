#pragma once

#include <memory>

#include "ListControl.h"

class QComboBox;
class QListWidget;
class QWidget;

// Qt's list box and combo box as the reference lists and the base form reach them.
namespace tulma {

// The rows of a Qt item widget, which list boxes and combo boxes hold alike; how a row is selected
// differs.
template <class TWidget>
class TQtRowsControl : public IListControl {
  public:
    explicit TQtRowsControl(TWidget* Widget) : FWidget(Widget) {}

    int32_t RowCount() const override;
    void Clear() override;
    void AddRow(const std::string& Text) override;

  protected:
    TWidget* FWidget;
};

extern template class TQtRowsControl<QListWidget>;
extern template class TQtRowsControl<QComboBox>;

// A list box. Its selected row is the current row while that row is selected.
class TListWidgetControl final : public TQtRowsControl<QListWidget> {
  public:
    using TQtRowsControl::TQtRowsControl;

    int32_t SelectedIndex() const override;
    void SetSelectedIndex(int32_t Index) override;
    bool IsRowSelected(int32_t Row) const override;
    void SetRowSelected(int32_t Row, bool Selected) override;
};

// A combo box. Its selected row is its current index; it never has more than one.
class TComboBoxControl final : public TQtRowsControl<QComboBox> {
  public:
    using TQtRowsControl::TQtRowsControl;

    int32_t SelectedIndex() const override;
    void SetSelectedIndex(int32_t Index) override;
    bool IsRowSelected(int32_t Row) const override;
    void SetRowSelected(int32_t Row, bool Selected) override;
};

// The adapter for a list box or a combo box, none for any other control.
std::unique_ptr<IListControl> ListControlFor(QWidget* Control);

}  // namespace tulma
