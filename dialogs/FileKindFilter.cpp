#include "FileKindFilter.h"

#include <QFileInfo>
#include <QFileSystemModel>

namespace tulma {
namespace {

TFileKind KindOf(const QFileInfo& Info) {
    if (Info.suffix() == QLatin1String("desktop")) {
        return TFileKind::Applications;
    }
    return Info.isExecutable() ? TFileKind::Programs : TFileKind::Documents;
}

}  // namespace

TFileKindFilter::TFileKindFilter(QObject* Parent, std::function<TFileKind()> Kind)
    : QSortFilterProxyModel(Parent), FKind(std::move(Kind)) {}

bool TFileKindFilter::filterAcceptsRow(int SourceRow, const QModelIndex& SourceParent) const {
    const auto* Files = qobject_cast<const QFileSystemModel*>(sourceModel());
    const TFileKind Wanted = FKind();
    if (Files == nullptr || Wanted == TFileKind::All) {
        return true;
    }
    const QFileInfo Info = Files->fileInfo(Files->index(SourceRow, 0, SourceParent));
    return Info.isDir() || KindOf(Info) == Wanted;
}

TFileKind FileKindOf(const QString& Path) {
    return KindOf(QFileInfo(Path));
}

}  // namespace tulma
