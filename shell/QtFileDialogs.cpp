#include "QtFileDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QStringList>

namespace tulma {
namespace {

std::optional<std::string> Run(QFileDialog& Dialog, const std::string& Preset) {
    Dialog.setNameFilter(
        QtNameFilters(QCoreApplication::translate("TQtFileDialogs", TQtFileDialogs::Filter).toStdString()));
    Dialog.setDefaultSuffix(TQtFileDialogs::DefaultSuffix);
    Dialog.selectFile(QString::fromStdString(Preset));
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return Dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace

QString QtNameFilters(const std::string& Filter) {
    const QStringList Parts = QString::fromStdString(Filter).split('|');
    QStringList Filters;
    for (qsizetype I = 0; I + 1 < Parts.size(); I += 2) {
        const QString Patterns = QString(Parts[I + 1]).replace(';', ' ');
        Filters << (Parts[I].contains('(') ? Parts[I] : Parts[I] + " (" + Patterns + ")");
    }
    return Filters.join(";;");
}

std::optional<std::string> TQtFileDialogs::OpenFileName(QWidget* Owner, const std::string& Preset) {
    QFileDialog Dialog(Owner);
    Dialog.setAcceptMode(QFileDialog::AcceptOpen);
    Dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(Dialog, Preset);
}

std::optional<std::string> TQtFileDialogs::SaveFileName(QWidget* Owner, const std::string& Preset) {
    QFileDialog Dialog(Owner);
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setFileMode(QFileDialog::AnyFile);
    Dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    return Run(Dialog, Preset);
}

}  // namespace tulma
