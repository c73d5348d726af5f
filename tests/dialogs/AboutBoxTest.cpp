#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "DialogTestSupport.h"
#include "FInfo.h"
#include "ProgramIcon.h"
#include "QtTestMain.h"

using namespace tulma;
using test::Child;

class AboutBoxTest : public QObject {
    Q_OBJECT

  private slots:
    // The sizes a window hands the window manager are kept as ready pixels, the largest as a PNG: each
    // shows the same picture, in its colours.
    void programIconIsScalable() {
        const QIcon Icon = ProgramIcon();
        QVERIFY(!Icon.isNull());
        const QImage Largest = Icon.pixmap(256, 256).toImage();
        for (const int Size : {16, 32, 128, 256}) {
            const QImage Image = Icon.pixmap(Size, Size).toImage();
            QCOMPARE(Image.size(), QSize(Size, Size));
            // Drawn, not blank: the centre of the key cap is opaque.
            const QRgb Centre = Image.pixel(Size / 2, Size / 2);
            QCOMPARE(qAlpha(Centre), 255);
            const QRgb Expected = Largest.pixel(128, 128);
            for (const int Shift : {0, 8, 16}) {
                const int Difference = int((Centre >> Shift) & 0xFF) - int((Expected >> Shift) & 0xFF);
                QVERIFY2(std::abs(Difference) <= 24, qPrintable(QString("size %1").arg(Size)));
            }
        }
    }

    // Each dialog showing an icon of its own would render and cache its pixmaps again.
    void windowsShareOneIcon() {
        TFormInfo First;
        TFormInfo Second;
        QCOMPARE(First.windowIcon().cacheKey(), ProgramIcon().cacheKey());
        QCOMPARE(Second.windowIcon().cacheKey(), ProgramIcon().cacheKey());
    }

    void showsNameVersionDateAndIcon() {
        TFormInfo Info;
        QCOMPARE(Info.windowTitle(), QString("About Tulma"));
        QCOMPARE(Info.size(), QSize(385, 368));
        QCOMPARE(Child<QLabel>(Info, "Label6")->text(), QString("Tulma"));
        QCOMPARE(Child<QLabel>(Info, "Label1")->text(), QString("Version 1.02\nDate: 1998/04/11"));
        QCOMPARE(Child<QLabel>(Info, "Image1")->geometry(), QRect(166, 6, 32, 32));
        QVERIFY(!Child<QLabel>(Info, "Image1")->pixmap().isNull());
        QCOMPARE(Child<QPushButton>(Info, "BtnClose")->text(), QString("Close"));
        QCOMPARE(Child<QPushButton>(Info, "BtnClose")->geometry(), QRect(304, 338, 75, 25));
    }

    // One instance serves every showing; Close and Escape both end it with OK and only hide it.
    void closeAndEscapeHideItWithOK() {
        TFormInfo Info;
        for (const bool ByEscape : {false, true, false}) {
            QTimer::singleShot(0, &Info, [&Info, ByEscape] {
                auto* Close = Child<QPushButton>(Info, "BtnClose");
                QCOMPARE(Info.focusWidget(), Close);
                if (ByEscape) {
                    QTest::keyClick(Close, Qt::Key_Escape);
                } else {
                    Close->click();
                }
            });
            QCOMPARE(Info.exec(), int(QDialog::Accepted));
            QVERIFY(!Info.isVisible());
        }
    }
};

TULMA_QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
