#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <string>
#include <vector>

#include "BrowseFolder.h"
#include "DialogTestSupport.h"
#include "FolderBrowserDialog.h"
#include "QtTestMain.h"
#include "ShortenPath.h"
#include "SpecialFolders.h"
#include "TempDir.h"

using namespace tulma;
using test::Child;
using test::WhenModal;

namespace {

// A folder tree for one test: Root/work/reports and Root/work/archive.
struct TFolders {
    TFolders() {
        if (!QDir(test::QtPath(Temp)).mkpath("work/reports") ||
            !QDir(test::QtPath(Temp)).mkpath("work/archive")) {
            qFatal("cannot make folders");
        }
    }
    std::string Path(const char* Relative) const { return test::QtFile(Temp, Relative).toStdString(); }
    test::TempDir Temp;
};

// Sets an environment variable for one test and puts the old value back.
class TEnvironment {
  public:
    TEnvironment(const char* Name, const QByteArray& Value) : FName(Name), FOld(qgetenv(Name)) {
        qputenv(Name, Value);
    }
    ~TEnvironment() { qputenv(FName, FOld); }
    TEnvironment(const TEnvironment&) = delete;
    TEnvironment& operator=(const TEnvironment&) = delete;

  private:
    const char* FName;
    QByteArray FOld;
};

}  // namespace

class BrowseFolderTest : public QObject {
    Q_OBJECT

  private slots:
    void shortenPath_data() {
        QTest::addColumn<QString>("Path");
        QTest::addColumn<QString>("Shortened");
        QTest::newRow("example") << R"(C:\Data\Projects\Customers\Archive\Reports\Final)"
                                 << R"(C:\...\Archive\Reports\Final)";
        QTest::newRow("35 characters") << R"(C:\Data\Projects\Customers\Archive1)"
                                       << R"(C:\Data\Projects\Customers\Archive1)";
        QTest::newRow("one separator, long") << R"(C:\AVeryLongFolderNameThatGoesOnAndOnForever)"
                                             << R"(C:\AVeryLongFolderNameThatGoesOnAndOnForever)";
        QTest::newRow("still long with three parts") << R"(C:\Data\AVeryLongFolderNameThatGoesOnAndOnForever)"
                                                     << R"(C:\...\AVeryLongFolderNameThatGoesOnAndOnForever)";
        QTest::newRow("empty parts count") << R"(\\\\Server\Share\Projects\Customers\Archive\Final)"
                                           << R"(\...\Customers\Archive\Final)";
    }
    void shortenPath() {
        QFETCH(QString, Path);
        QFETCH(QString, Shortened);
        QCOMPARE(QString::fromStdString(ShortenPath(Path.toStdString(), '\\', "...", 35)), Shortened);
    }

    void shortenPathWithOurSeparator() {
        QCOMPARE(ShortenPath("/home/anna/Projects/Customers/Archive/Reports", '/', "...", 35),
                 std::string("/.../Customers/Archive/Reports"));
        QCOMPARE(SplitPath("/a//b", '/'), std::vector<std::string>({"", "a", "", "b"}));
    }

    void defaultsAndCustomButtonWidth() {
        TBrowseFolder Browser(nullptr);
        QCOMPARE(PlatformFlags(Browser.Flags), 0x0005u);
        QVERIFY(Browser.RootFolder == TSHFolders::foDesktopExpanded);
        QVERIFY(Browser.CustomButtonType == TCustomButtonType::btPushButton);
        QVERIFY(Browser.CustomButtonEnabled());
        QVERIFY(!Browser.CustomButtonVisible && !Browser.CustomButtonChecked && !Browser.SyncCustomButton);
        QVERIFY(!Browser.ShowPathInStatusArea);
        QCOMPARE(Browser.CustomButtonWidth(), 75);
        Browser.SetCustomButtonWidth(120);
        QCOMPARE(Browser.CustomButtonWidth(), 120);
        Browser.SetCustomButtonWidth(0);
        QCOMPARE(Browser.CustomButtonWidth(), 75);
        Browser.SetCustomButtonWidth(-4);
        QCOMPARE(Browser.CustomButtonWidth(), 75);
    }

    void flagAndRootTables() {
        QCOMPARE(PlatformFlags({TBrowseInfoFlag::bfFileSysDirsOnly, TBrowseInfoFlag::bfDontGoBelowDomain,
                                TBrowseInfoFlag::bfStatusText, TBrowseInfoFlag::bfFileSysAncestors,
                                TBrowseInfoFlag::bfBrowseForComputer, TBrowseInfoFlag::bfBrowseForPrinter}),
                 0x300Fu);
        QCOMPARE(PlatformFlags({TBrowseInfoFlag::bfBrowseForPrinter}), 0x2000u);
        QCOMPARE(SpecialFolderNumber(TSHFolders::foDesktopExpanded), -1);
        QCOMPARE(SpecialFolderNumber(TSHFolders::foRecycleBin), 0x0A);
        QCOMPARE(SpecialFolderNumber(TSHFolders::foDesktopDirectory), 0x10);
        QCOMPARE(SpecialFolderNumber(TSHFolders::foTemplates), 0x15);
    }

    void specialFoldersAreTheUsersXdgDirectories() {
        test::TempDir Home;
        const TEnvironment HomeVariable("HOME", test::QtPath(Home).toUtf8());
        const TEnvironment Config("XDG_CONFIG_HOME", test::QtFile(Home, ".config").toUtf8());
        QVERIFY(QDir(test::QtPath(Home)).mkpath(".config"));
        QVERIFY(QDir(test::QtPath(Home)).mkpath("Vorlagen"));
        QVERIFY(QDir(test::QtPath(Home)).mkpath("Dokumente"));
        std::ofstream(test::QtFile(Home, ".config/user-dirs.dirs").toStdString())
            << "# written by xdg-user-dirs-update\n"
            << "XDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n"
            << "XDG_DOCUMENTS_DIR=\"" << test::QtFile(Home, "Dokumente").toStdString() << "\"\n";

        QCOMPARE(FolderRootOf(TSHFolders::foTemplates).Path, test::QtFile(Home, "Vorlagen").toStdString());
        QCOMPARE(FolderRootOf(TSHFolders::foPersonal).Path, test::QtFile(Home, "Dokumente").toStdString());
        QCOMPARE(FolderRootOf(TSHFolders::foPersonal).DisplayName, std::string("Dokumente"));
        // Not there: the root has no path.
        QCOMPARE(FolderRootOf(TSHFolders::foDesktopDirectory).Path, std::string());
        QCOMPARE(FolderRootOf(TSHFolders::foPrinters).Path, std::string());
        QCOMPARE(FolderRootOf(TSHFolders::foMyComputer).Path, std::string("/"));
        QCOMPARE(FolderRootOf(TSHFolders::foDesktopExpanded).Path, std::string("/"));

        // The whole name space: home, the special folders there are, then the file system.
        QVERIFY(QDir(test::QtPath(Home)).mkpath(".config/autostart"));
        std::vector<std::string> Roots;
        for (const TFolderItem& Root : FolderRootsOf(TSHFolders::foDesktopExpanded)) {
            Roots.push_back(Root.DisplayName + " " + Root.Path);
        }
        const std::string Path = test::QtPath(Home).toStdString();
        QCOMPARE(Roots,
                 std::vector<std::string>({"Home " + Path, "Dokumente " + Path + "/Dokumente",
                                           "Vorlagen " + Path + "/Vorlagen",
                                           "Autostart " + Path + "/.config/autostart", "File System /"}));
        QCOMPARE(FolderRootsOf(TSHFolders::foTemplates).size(), std::size_t{1});
    }

    void centredAcrossAndAQuarterDownTheForegroundWindow() {
        QCOMPARE(CenteredOverForeground(QRect(100, 50, 401, 301), QSize(331, 305)), QPoint(135, 125));
        QCOMPARE(CenteredOverForeground(QRect(-300, -40, 200, 100), QSize(330, 305)), QPoint(-365, -15));
    }

    void preselectsTheDirectoryAndReturnsTheChosenFolder() {
        TFolders Folders;
        TBrowseFolder Browser(nullptr);
        Browser.Directory = Folders.Path("work");
        std::vector<std::string> Events;
        Browser.OnInitialized = [&](TBrowseFolder&, QDialog* Dialog) {
            Events.push_back(std::string("initialized ") + (Dialog->isVisible() ? "shown" : "hidden"));
        };
        Browser.OnSelectionChanged = [&](TBrowseFolder& Sender, QDialog*, const TFolderItem& Item,
                                         const std::string& Directory) {
            QCOMPARE(Sender.Selection(), Directory);
            Events.push_back("selected " + Item.DisplayName + " " + Directory);
        };
        WhenModal<TFolderBrowserDialog>([&](TFolderBrowserDialog& Dialog) {
            QVERIFY(Child<QPushButton>(Dialog, "OK")->isEnabled());
            Dialog.SetSelection(Folders.Path("work/reports"));
            Child<QPushButton>(Dialog, "OK")->click();
        });
        QVERIFY(Browser.Execute());
        QCOMPARE(Browser.Directory, Folders.Path("work/reports"));
        QCOMPARE(Browser.Selection(), Browser.Directory);
        QCOMPARE(Browser.DisplayName(), std::string("reports"));
        QCOMPARE(Events,
                 std::vector<std::string>({"selected work " + Folders.Path("work"), "initialized hidden",
                                           "selected reports " + Folders.Path("work/reports")}));
    }

    void withoutAnExistingDirectoryTheHomeAtTheTopIsSelected() {
        TBrowseFolder Browser(nullptr);
        Browser.Directory = "/no/such/folder";
        std::string Selected;
        WhenModal<TFolderBrowserDialog>([&](TFolderBrowserDialog& Dialog) {
            Selected = Dialog.SelectedItem().Path;
            Child<QPushButton>(Dialog, "Cancel")->click();
        });
        QVERIFY(!Browser.Execute());
        QCOMPARE(Selected, QDir::homePath().toStdString());
        QCOMPARE(Browser.Directory, std::string("/no/such/folder"));
    }

    void cancelKeepsDirectoryWhileSelectionFollowsTheDialog() {
        TFolders Folders;
        TBrowseFolder Browser(nullptr);
        Browser.Directory = Folders.Path("work/reports");
        WhenModal<TFolderBrowserDialog>([&](TFolderBrowserDialog& Dialog) {
            Dialog.SetSelection(Folders.Path("work/archive"));
            Child<QPushButton>(Dialog, "Cancel")->click();
        });
        QVERIFY(!Browser.Execute());
        QCOMPARE(Browser.Directory, Folders.Path("work/reports"));
        QCOMPARE(Browser.Selection(), Folders.Path("work/archive"));
    }

    void statusLineShowsTheShortenedPath() {
        TFolders Folders;
        QVERIFY(QDir(test::QtPath(Folders.Temp)).mkpath("work/reports/2026/december/final"));
        TBrowseFolder Browser(nullptr);
        Browser.ShowPathInStatusArea = true;
        Browser.Directory = Folders.Path("work/reports/2026/december/final");
        QString Status;
        bool Visible = false;
        WhenModal<TFolderBrowserDialog>([&](TFolderBrowserDialog& Dialog) {
            Status = Child<QLabel>(Dialog, "Status")->text();
            Visible = Child<QLabel>(Dialog, "Status")->isVisible();
            Child<QPushButton>(Dialog, "Cancel")->click();
        });
        Browser.Execute();
        QVERIFY(Visible);
        QCOMPARE(Status.toStdString(), ShortenPath(Browser.Directory, '/', "...", 35));
        QVERIFY(Status.startsWith("/.../"));
        QVERIFY(Status.endsWith("/december/final"));
    }

    void folderWithoutAPathDisablesOKAndTheSyncedButton() {
        TBrowseFolder Browser(nullptr);
        Browser.RootFolder = TSHFolders::foPrinters;
        Browser.CustomButtonVisible = true;
        Browser.SyncCustomButton = true;
        Browser.SetCustomButtonCaption("Printer");
        bool OkEnabled = true;
        bool ButtonEnabled = true;
        WhenModal<TFolderBrowserDialog>([&](TFolderBrowserDialog& Dialog) {
            OkEnabled = Child<QPushButton>(Dialog, "OK")->isEnabled();
            ButtonEnabled = Child<QAbstractButton>(Dialog, "CustomButton")->isEnabled();
            Child<QPushButton>(Dialog, "Cancel")->click();
        });
        QVERIFY(!Browser.Execute());
        QVERIFY(!OkEnabled);
        QVERIFY(!ButtonEnabled);
        QVERIFY(!Browser.CustomButtonEnabled());
        QCOMPARE(Browser.Selection(), std::string());
    }

    void checkBoxStateIsTakenOnlyOnOK() {
        TBrowseFolder Browser(nullptr);
        Browser.CustomButtonVisible = true;
        Browser.CustomButtonType = TCustomButtonType::btCheckBox;
        Browser.SetCustomButtonCaption("Recurse");
        const auto ToggleAndPress = [](const char* Button) {
            WhenModal<TFolderBrowserDialog>([Button](TFolderBrowserDialog& Dialog) {
                auto* Box = Child<QAbstractButton>(Dialog, "CustomButton");
                QVERIFY(Box->isCheckable());
                Box->click();
                Child<QPushButton>(Dialog, Button)->click();
            });
        };
        ToggleAndPress("Cancel");
        QVERIFY(!Browser.Execute());
        QVERIFY(!Browser.CustomButtonChecked);

        ToggleAndPress("OK");
        QVERIFY(Browser.Execute());
        QVERIFY(Browser.CustomButtonChecked);
        QVERIFY(Browser.CustomButtonWindow() == nullptr);
    }

    void customButtonClickRunsTheEventAndChangesTheLiveButton() {
        TBrowseFolder Browser(nullptr);
        Browser.CustomButtonVisible = true;
        Browser.SetCustomButtonCaption("New folder");
        Browser.SetCustomButtonWidth(110);
        int Clicks = 0;
        Browser.OnCustomButtonClick = [&](TBrowseFolder& Sender, QDialog*) {
            ++Clicks;
            Sender.SetCustomButtonCaption("Made");
            Sender.SetCustomButtonEnabled(false);
        };
        QRect Geometry;
        QString Caption;
        bool Enabled = true;
        bool OpenAfterClick = false;
        WhenModal<TFolderBrowserDialog>([&](TFolderBrowserDialog& Dialog) {
            auto* Button = Child<QAbstractButton>(Dialog, "CustomButton");
            Geometry = Button->geometry();
            Button->click();
            Caption = Button->text();
            Enabled = Button->isEnabled();
            OpenAfterClick = Dialog.isVisible();
            Child<QPushButton>(Dialog, "Cancel")->click();
        });
        Browser.Execute();
        QCOMPARE(Clicks, 1);
        QCOMPARE(Geometry, QRect(12, 270, 110, 23));
        QCOMPARE(Caption, QString("Made"));
        QVERIFY(!Enabled);
        QVERIFY(OpenAfterClick);
    }
};

TULMA_QTEST_MAIN(BrowseFolderTest)
#include "BrowseFolderTest.moc"
