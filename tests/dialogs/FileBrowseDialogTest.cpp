#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QTest>

#include "DialogTestSupport.h"
#include "FileBrowseDialog.h"
#include "QtTestMain.h"

using namespace tulma;

namespace {

void WriteFile(const QString& Path, QFileDevice::Permissions Permissions) {
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || !File.setPermissions(Permissions)) {
        qFatal("cannot write %s", qPrintable(Path));
    }
}

// The names the dialog shows in Folder, sorted.
QStringList Shown(const TFileBrowseDialog& Files, const QString& Folder) {
    const auto* Filter = Files.proxyModel();
    const auto* Model = qobject_cast<const QFileSystemModel*>(Filter->sourceModel());
    const QModelIndex Parent = Filter->mapFromSource(Model->index(Folder));
    QStringList Names;
    for (int Row = 0; Row < Filter->rowCount(Parent); ++Row) {
        Names << Filter->index(Row, 0, Parent).data().toString();
    }
    Names.sort();
    return Names;
}

// Which filter is selected; depending on the Qt version the dialog answers its shown name or all of it.
int SelectedFilter(const TFileBrowseDialog& Files) {
    const QStringList Filters = Files.nameFilters();
    for (int I = 0; I < Filters.size(); ++I) {
        if (Filters[I].startsWith(Files.selectedNameFilter())) {
            return I;
        }
    }
    return -1;
}

}  // namespace

class FileBrowseDialogTest : public QObject {
    Q_OBJECT

  private slots:
    // The first dialog of a run opens in the home folder; each later one where the one before was
    // left, with its filter.
    void opensAtHomeThenWhereTheLastOneWasLeft() {
        test::TempDir Home;
        test::TempDir Elsewhere;
        qputenv("HOME", test::QtPath(Home).toLocal8Bit());
        {
            TFileBrowseDialog Files(nullptr);
            QCOMPARE(Files.directory().absolutePath(), QDir(test::QtPath(Home)).absolutePath());
            QCOMPARE(SelectedFilter(Files), 0);
            Files.setDirectory(test::QtPath(Elsewhere));
            Files.selectNameFilter(Files.nameFilters()[1]);
            Files.reject();
        }
        TFileBrowseDialog Files(nullptr);
        QCOMPARE(Files.directory().absolutePath(), QDir(test::QtPath(Elsewhere)).absolutePath());
        QCOMPARE(SelectedFilter(Files), 1);
    }

    void filtersShowProgramsApplicationsDocumentsOrEverything() {
        test::TempDir Folder;
        WriteFile(test::QtFile(Folder, "tool"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        WriteFile(test::QtFile(Folder, "editor.desktop"), QFile::ReadOwner | QFile::WriteOwner);
        WriteFile(test::QtFile(Folder, "notes.txt"), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(QDir(test::QtPath(Folder)).mkdir("sub"));
        TFileBrowseDialog Files(nullptr);
        Files.setDirectory(test::QtPath(Folder));
        const QStringList Expected[] = {
            {"sub", "tool"},
            {"editor.desktop", "sub"},
            {"notes.txt", "sub"},
            {"editor.desktop", "notes.txt", "sub", "tool"},
        };
        QCOMPARE(Files.nameFilters().size(), 4);
        const QStringList Names{"programs", "applications", "documents", "all files"};
        for (int I = 0; I < 4; ++I) {
            QVERIFY(Files.nameFilters()[I].startsWith(Names[I]));
            Files.selectNameFilter(Files.nameFilters()[I]);
            QTRY_COMPARE(Shown(Files, test::QtPath(Folder)), Expected[I]);
        }
    }

    // A file named before shows selected, under the filter of its kind.
    void startsAtTheNamedFileUnderItsFilter() {
        test::TempDir Folder;
        const QString Entry = test::QtFile(Folder, "editor.desktop");
        WriteFile(Entry, QFile::ReadOwner | QFile::WriteOwner);
        TFileBrowseDialog Files(nullptr);
        Files.selectNameFilter(Files.nameFilters()[0]);
        Files.StartAt(Entry);
        QCOMPARE(SelectedFilter(Files), 1);
        QCOMPARE(Files.directory().absolutePath(), QDir(test::QtPath(Folder)).absolutePath());
        QCOMPARE(Files.selectedFiles(), QStringList{Entry});
    }
};

TULMA_QTEST_MAIN(FileBrowseDialogTest)
#include "FileBrowseDialogTest.moc"
