#pragma once

#include <QSortFilterProxyModel>

#include <functional>

namespace tulma {

// Narrows a file dialog's files to applications (folders, .exe files and executable files) while
// ApplicationsOnly answers true; passes every file through otherwise.
class TApplicationFilter : public QSortFilterProxyModel {
    Q_OBJECT

  public:
    TApplicationFilter(QObject* Parent, std::function<bool()> ApplicationsOnly);

    // Filters again after ApplicationsOnly changed its answer.
    void Refresh() { invalidateFilter(); }

  protected:
    bool filterAcceptsRow(int SourceRow, const QModelIndex& SourceParent) const override;

  private:
    std::function<bool()> FApplicationsOnly;
};

}  // namespace tulma
