#include "FileBrowseDialog.h"

#include <QFileInfo>

#include "ApplicationFilter.h"

namespace tulma {
namespace {

// The shown name comes first; the last pair of parentheses holds the patterns the dialog applies.
// Applications pass every file on to the filter, which knows executables without an extension.
const QString ApplicationsFilter = QStringLiteral("applications (*.exe) (*)");
const QStringList NameFilters{ApplicationsFilter, QStringLiteral("batch files (*.bat) (*.bat)"),
                              QStringLiteral("all files (*.*) (*)")};

}  // namespace

TFileBrowseDialog::TFileBrowseDialog(QWidget* Owner)
    : QFileDialog(Owner, QStringLiteral("Browse for file")), FFilter(new TApplicationFilter(this)) {
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::HideNameFilterDetails);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setProxyModel(FFilter);
    setNameFilters(NameFilters);
    selectNameFilter(ApplicationsFilter);
    connect(this, &QFileDialog::filterSelected, this,
            [this](const QString& Filter) { FFilter->SetApplicationsOnly(Filter == ApplicationsFilter); });
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
