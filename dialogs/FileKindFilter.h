#pragma once

#include <QSortFilterProxyModel>

#include <functional>

namespace tulma {

// The kinds of file that the command's file dialog offers.
enum class TFileKind {
    Programs,      // executable files
    Applications,  // desktop entries (*.desktop)
    Documents,     // files that are neither: they open in the program the desktop has for them
    All,
};

// Narrows a file dialog's files to the kind that Kind answers; folders always pass, to walk through.
class TFileKindFilter : public QSortFilterProxyModel {
    Q_OBJECT

  public:
    TFileKindFilter(QObject* Parent, std::function<TFileKind()> Kind);

    // Filters again after Kind changed its answer.
    void Refresh() { invalidateFilter(); }

  protected:
    bool filterAcceptsRow(int SourceRow, const QModelIndex& SourceParent) const override;

  private:
    std::function<TFileKind()> FKind;
};

// The kind of an existing file.
TFileKind FileKindOf(const QString& Path);

}  // namespace tulma
