#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include <memory>

#include "QtTestMain.h"
#include "TrayIcon.h"

using namespace tulma;

// The icon's setters and its following of the owner window, on a desktop whose tray the test switches.
class TrayIconTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QWidget> Owner;
    TTrayIcon* Icon = nullptr;
    bool TrayAvailable = true;

  private slots:
    void initTestCase() {
        QPixmap Picture(16, 16);
        Picture.fill(Qt::blue);
        QApplication::setWindowIcon(QIcon(Picture));
        QApplication::setApplicationName("Tulma");
    }

    void init() {
        TrayAvailable = true;
        Owner = std::make_unique<QWidget>();
        Owner->show();
        Icon = new TTrayIcon(Owner.get(), [this] { return TrayAvailable; });
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
        TrayAvailable = false;
        Icon->SetSeparateIcon(true);
        QVERIFY_THROWS_EXCEPTION(EOutOfResources, Icon->SetActive(true));
        QVERIFY(!Icon->IconShown());
        TrayAvailable = true;
        Icon->SetActive(true);
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
