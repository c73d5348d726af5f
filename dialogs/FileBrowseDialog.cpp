#include "FileBrowseDialog.h"

#include <QDir>
#include <QFileInfo>

#include "FileKindFilter.h"

namespace tulma {
namespace {

// One filter per kind, in the order of TFileKind. The shown name comes first; the last pair of
// parentheses holds the patterns the dialog applies, the filter model tells the kinds apart.
const QStringList NameFilters{QStringLiteral("programs (executable files) (*)"),
                              QStringLiteral("applications (*.desktop) (*.desktop)"),
                              QStringLiteral("documents (*)"), QStringLiteral("all files (*) (*)")};

// Where the last dialog was left, for the next one.
struct TLastPlace {
    QString Folder = QDir::homePath();
    QString Filter = NameFilters.front();
};

TLastPlace& Last() {
    static TLastPlace Place;
    return Place;
}

// Depending on the Qt version the selected filter is its shown name or the whole filter.
TFileKind KindOfFilter(const QString& Selected) {
    for (int I = 0; I < NameFilters.size(); ++I) {
        if (NameFilters[I].startsWith(Selected)) {
            return static_cast<TFileKind>(I);
        }
    }
    return TFileKind::All;
}

}  // namespace

TFileBrowseDialog::TFileBrowseDialog(QWidget* Owner)
    : QFileDialog(Owner, QStringLiteral("Browse for file")),
      FFilter(new TFileKindFilter(this, [this] { return KindOfFilter(selectedNameFilter()); })) {
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::HideNameFilterDetails);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setProxyModel(FFilter);
    setNameFilters(NameFilters);
    selectNameFilter(Last().Filter);
    setDirectory(Last().Folder);
    FFilter->Refresh();
    // The user's choice of filter; a filter chosen by code reaches the files through the dialog's own
    // re-sorting of its model.
    connect(this, &QFileDialog::filterSelected, FFilter, &TFileKindFilter::Refresh);
}

void TFileBrowseDialog::StartAt(const QString& File) {
    const QFileInfo Info(File);
    if (!Info.isAbsolute() || !Info.isFile()) {
        return;
    }
    selectNameFilter(NameFilters[static_cast<int>(FileKindOf(File))]);
    FFilter->Refresh();
    selectFile(File);
}

void TFileBrowseDialog::done(int Result) {
    Last() = {directory().absolutePath(), NameFilters[static_cast<int>(KindOfFilter(selectedNameFilter()))]};
    QFileDialog::done(Result);
}

}  // namespace tulma
