#pragma once

#include <cstdint>
#include <string>

namespace tulma {

// A list box or a combo box as the window code offers it to the reference lists: rows of text and a
// selection. The rows are shown in the order they are added; the control never sorts them itself.
class IListControl {
  public:
    virtual ~IListControl() = default;

    virtual int32_t RowCount() const = 0;
    virtual void Clear() = 0;
    virtual void AddRow(const std::string& Text) = 0;

    // The selected row, -1 when there is none.
    virtual int32_t SelectedIndex() const = 0;
    // -1, or a row that does not exist, clears the selection.
    virtual void SetSelectedIndex(int32_t Index) = 0;

    // Row by row, for list boxes that allow several selected rows.
    virtual bool IsRowSelected(int32_t Row) const = 0;
    virtual void SetRowSelected(int32_t Row, bool Selected) = 0;
};

}  // namespace tulma
