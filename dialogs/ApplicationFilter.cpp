#include "ApplicationFilter.h"

#include <QFileInfo>
#include <QFileSystemModel>

namespace tulma {

void TApplicationFilter::SetApplicationsOnly(bool Only) {
    FApplicationsOnly = Only;
    invalidateFilter();
}

bool TApplicationFilter::filterAcceptsRow(int SourceRow, const QModelIndex& SourceParent) const {
    const auto* Files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!FApplicationsOnly || Files == nullptr) {
        return true;
    }
    const QFileInfo Info = Files->fileInfo(Files->index(SourceRow, 0, SourceParent));
    return Info.isDir() || Info.isExecutable() || Info.suffix().compare("exe", Qt::CaseInsensitive) == 0;
}

}  // namespace tulma
