#include "ApplicationFilter.h"

#include <QFileInfo>
#include <QFileSystemModel>

namespace tulma {

TApplicationFilter::TApplicationFilter(QObject* Parent, std::function<bool()> ApplicationsOnly)
    : QSortFilterProxyModel(Parent), FApplicationsOnly(std::move(ApplicationsOnly)) {}

bool TApplicationFilter::filterAcceptsRow(int SourceRow, const QModelIndex& SourceParent) const {
    const auto* Files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (Files == nullptr || !FApplicationsOnly()) {
        return true;
    }
    const QFileInfo Info = Files->fileInfo(Files->index(SourceRow, 0, SourceParent));
    return Info.isDir() || Info.isExecutable() || Info.suffix().compare("exe", Qt::CaseInsensitive) == 0;
}

}  // namespace tulma
