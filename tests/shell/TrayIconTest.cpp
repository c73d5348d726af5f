#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include <memory>

#include "ModalWindowKeeper.h"
#include "QtTestMain.h"
#include "TrayIcon.h"

using namespace tulma;

// The icon's setters and its following of the owner window, on a desktop whose tray the test switches.
class TrayIconTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QWidget> Owner;
    TTrayIcon* Icon = nullptr;
    bool ShellAvailable = true;

  private slots:
    void initTestCase() {
        QPixmap Picture(16, 16);
        Picture.fill(Qt::blue);
        QApplication::setWindowIcon(QIcon(Picture));
        QApplication::setApplicationName("Tulma");
    }

    void init() {
        ShellAvailable = true;
        Owner = std::make_unique<QWidget>();
        Owner->show();
        Icon = new TTrayIcon(Owner.get(), [this] { return ShellAvailable; });
    }

    void cleanup() { Owner.reset(); }

    void separateIconShowsTheIconWhileTheWindowIsShown() {
        Icon->SetActive(true);
        QVERIFY(!Icon->IconShown());
        Icon->SetSeparateIcon(true);
        QVERIFY(Icon->IconShown());
        Owner->showMinimized();
        QTRY_VERIFY(!Owner->isVisible());
        Owner->showNormal();
        QVERIFY(Icon->IconShown());
        Icon->SetSeparateIcon(false);
        QVERIFY(!Icon->IconShown());
    }

    void inactiveIconNeverShows() {
        Owner->showMinimized();
        QVERIFY(!Icon->IconShown());
        QTest::qWait(20);
        QVERIFY(Owner->isVisible());
        Icon->SetActive(true);
        QVERIFY(Icon->IconShown());
        Icon->SetActive(false);
        QVERIFY(!Icon->IconShown());
    }

    void minimiseAndRestoreEvents() {
        int Minimised = 0;
        int Restored = 0;
        Icon->OnMinimize = [&](QObject*) { ++Minimised; };
        Icon->OnRestore = [&](QObject*) { ++Restored; };
        Icon->SetActive(true);
        Owner->showMinimized();
        QVERIFY(Icon->Minimized());
        Owner->showNormal();
        QVERIFY(!Icon->Minimized());
        QCOMPARE(Minimised, 1);
        QCOMPARE(Restored, 1);
    }

    void trayGoneWhenAddingTheIconRaises() {
        ShellAvailable = false;
        Icon->SetSeparateIcon(true);
        QVERIFY_THROWS_EXCEPTION(EOutOfResources, Icon->SetActive(true));
        QVERIFY(!Icon->IconShown());
        ShellAvailable = true;
        Icon->SetActive(true);
        QVERIFY(Icon->IconShown());
    }

    // The desktop's tray comes after the program, goes and comes back.
    void trayThatComesLaterTakesTheMinimisedWindow() {
        ShellAvailable = false;
        Icon->TrayHostChanged();
        Icon->SetActive(true);
        Owner->showMinimized();
        QCoreApplication::processEvents();
        QVERIFY(!Icon->IconShown());
        QVERIFY(Owner->isVisible());

        ShellAvailable = true;
        Icon->TrayHostChanged();
        QVERIFY(Icon->IconShown());
        QVERIFY(!Owner->isVisible());

        ShellAvailable = false;
        Icon->TrayHostChanged();
        QVERIFY(!Icon->IconShown());
        QVERIFY(Owner->isVisible());
        QVERIFY(Owner->isMinimized());

        ShellAvailable = true;
        Icon->TrayHostChanged();
        QVERIFY(Icon->IconShown());
        QVERIFY(!Owner->isVisible());
        Owner->showNormal();
        QVERIFY(!Icon->IconShown());
        // A shown window stays as it is when the tray changes.
        Icon->TrayHostChanged();
        QVERIFY(!Icon->IconShown());
        QVERIFY(Owner->isVisible());
    }

    // Minimising the owner, or the modal window itself, while a modal window is open brings both back.
    void minimiseDuringAModalWindowIsUndone() {
        const TModalWindowKeeper Keeper;
        Icon->SetActive(true);
        QDialog Modal(Owner.get());
        Modal.setModal(true);
        Modal.show();
        for (QWidget* Minimised : {static_cast<QWidget*>(Owner.get()), static_cast<QWidget*>(&Modal)}) {
            Minimised->showMinimized();
            QTRY_VERIFY(!Owner->isMinimized() && !Modal.isMinimized());
            QVERIFY(Owner->isVisible());
            QVERIFY(Modal.isVisible());
            QVERIFY(!Icon->IconShown());
        }
        Modal.close();
        Owner->showMinimized();
        QVERIFY(Icon->IconShown());
    }

    void hintAndIcon() {
        QCOMPARE(Icon->Tip(), QString("Tulma"));
        Icon->SetHint("Tulma");
        QCOMPARE(Icon->Tip(), QString("Tulma"));
        QPixmap Picture(16, 16);
        Picture.fill(Qt::green);
        const QIcon Green(Picture);
        Icon->SetIcon(Green);
        QCOMPARE(Icon->Icon().cacheKey(), Green.cacheKey());
        QCOMPARE(Icon->TrayItem().icon().cacheKey(), Green.cacheKey());
    }
};

TULMA_QTEST_MAIN(TrayIconTest)
#include "TrayIconTest.moc"
