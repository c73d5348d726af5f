#pragma once

#include <QSortFilterProxyModel>

namespace tulma {

// Narrows a file dialog's files to applications: folders, .exe files and executable files. Passes
// everything through while ApplicationsOnly is false.
class TApplicationFilter : public QSortFilterProxyModel {
    Q_OBJECT

  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetApplicationsOnly(bool Only);

  protected:
    bool filterAcceptsRow(int SourceRow, const QModelIndex& SourceParent) const override;

  private:
    bool FApplicationsOnly = true;
};

}  // namespace tulma
