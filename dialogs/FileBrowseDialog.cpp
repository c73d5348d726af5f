#include "FileBrowseDialog.h"

#include <QFileInfo>

#include "ApplicationFilter.h"

namespace tulma {
namespace {

// The shown name comes first; the last pair of parentheses holds the patterns the dialog applies.
// Applications pass every file on to the filter, which knows executables without an extension.
const QString ApplicationsName = QStringLiteral("applications (*.exe)");
const QString ApplicationsFilter = ApplicationsName + QStringLiteral(" (*)");
const QStringList NameFilters{ApplicationsFilter, QStringLiteral("batch files (*.bat) (*.bat)"),
                              QStringLiteral("all files (*.*) (*)")};

}  // namespace

TFileBrowseDialog::TFileBrowseDialog(QWidget* Owner)
    : QFileDialog(Owner, QStringLiteral("Browse for file")),
      // Depending on the Qt version the selected filter is its shown name or the whole filter.
      FFilter(new TApplicationFilter(this,
                                     [this] { return selectedNameFilter().startsWith(ApplicationsName); })) {
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::HideNameFilterDetails);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setProxyModel(FFilter);
    setNameFilters(NameFilters);
    selectNameFilter(ApplicationsFilter);
    FFilter->Refresh();
    // The user's choice of filter; a filter chosen by code reaches the files through the dialog's own
    // re-sorting of its model.
    connect(this, &QFileDialog::filterSelected, FFilter, &TApplicationFilter::Refresh);
}

void TFileBrowseDialog::accept() {
    const QStringList Files = selectedFiles();
    if (Files.size() == 1) {
        const QFileInfo Typed(Files.front());
        const QString WithExtension = Files.front() + u'.' + QLatin1String(DefaultExtension);
        if (!Typed.exists() && !Typed.fileName().contains(u'.') && QFileInfo(WithExtension).isFile()) {
            selectFile(WithExtension);
        }
    }
    QFileDialog::accept();
}

}  // namespace tulma
