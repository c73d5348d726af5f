#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "AppMessages.h"
#include "ClassRegistration.h"
#include "Errors.h"
#include "MessageBox.h"
#include "MessageBoxFunction.h"
#include "MessageBoxScript.h"
#include "MessageFileFixture.h"
#include "ProgramDirectory.h"
#include "QtTestMain.h"

using namespace tulma;

namespace {

constexpr int32_t YesNoCancelQuestionSecond = 0x123;

// Answers the next modal box by pressing the button with Result, once the box runs its loop.
void PressLater(int32_t Result) {
    QTimer::singleShot(0, [Result] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(Box != nullptr);
        for (QAbstractButton* Button : Box->buttons()) {
            if (Button->property("windowsResult").toInt() == Result) {
                Button->click();
                return;
            }
        }
        QFAIL("the box has no such button");
    });
}

}  // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterAllClasses(); }
    void cleanup() { FreeMessageList(); }

    void stylesGiveTheWindowsButtonsAndDefaults_data() {
        QTest::addColumn<int>("Style");
        QTest::addColumn<QList<int>>("Buttons");
        QTest::addColumn<int>("Default");
        QTest::newRow("OK") << 0x30 << QList<int>{1} << 1;
        QTest::newRow("OK, Cancel") << 0x1 << QList<int>{1, 2} << 1;
        QTest::newRow("Abort, Retry, Ignore") << 0x202 << QList<int>{3, 4, 5} << 5;
        QTest::newRow("Yes, No, Cancel") << 0x23 << QList<int>{6, 7, 2} << 6;
        QTest::newRow("Yes, No with No default") << 0x124 << QList<int>{6, 7} << 7;
        QTest::newRow("Retry, Cancel") << 0x5 << QList<int>{4, 2} << 4;
        QTest::newRow("Cancel, Try Again, Continue") << 0x6 << QList<int>{2, 10, 11} << 2;
        QTest::newRow("default beyond the buttons") << 0x304 << QList<int>{6, 7} << 6;
        QTest::newRow("unknown buttons") << 0xE << QList<int>{1} << 1;
    }
    void stylesGiveTheWindowsButtonsAndDefaults() {
        QFETCH(int, Style);
        QFETCH(QList<int>, Buttons);
        QFETCH(int, Default);
        const auto Results = TMessageBox::ButtonResults(Style);
        QCOMPARE(QList<int>(Results.begin(), Results.end()), Buttons);
        QCOMPARE(TMessageBox::DefaultResult(Style), Default);
    }

    void boxIsBuiltFromTheStyle() {
        const auto Box = TMessageBox::Build(
            "Gr\xFC\xDF"
            "e",
            "Save?", YesNoCancelQuestionSecond, nullptr);
        QCOMPARE(Box->text(), QString::fromUtf8("Grüße"));
        QCOMPARE(Box->windowTitle(), QString("Save?"));
        QCOMPARE(Box->icon(), QMessageBox::Question);
        QCOMPARE(Box->buttons().size(), 3);
        QCOMPARE(Box->defaultButton()->property("windowsResult").toInt(), MessageBoxResult::No);
        QCOMPARE(Box->escapeButton()->property("windowsResult").toInt(), MessageBoxResult::Cancel);
        QVERIFY(Box->windowModality() == Qt::ApplicationModal);

        const auto Stop = TMessageBox::Build("x", "y", MessageBoxStyle::IconStop, nullptr);
        QCOMPARE(Stop->icon(), QMessageBox::Critical);
        QCOMPARE(Stop->escapeButton()->property("windowsResult").toInt(), MessageBoxResult::Ok);
        QCOMPARE(TMessageBox::Build("x", "y", 0x40, nullptr)->icon(), QMessageBox::Information);
        QCOMPARE(TMessageBox::Build("x", "y", 0x30, nullptr)->icon(), QMessageBox::Warning);
        QCOMPARE(TMessageBox::Build("x", "y", 0, nullptr)->icon(), QMessageBox::NoIcon);
    }

    void realBoxReturnsThePressedButton() {
        PressLater(MessageBoxResult::No);
        QCOMPARE(TMessageBox::Show("Save the changes?", "Tulma", YesNoCancelQuestionSecond),
                 MessageBoxResult::No);
        PressLater(MessageBoxResult::Retry);
        QCOMPARE(TMessageBox::Show("Again?", "Tulma", MessageBoxStyle::AbortRetryIgnore),
                 MessageBoxResult::Retry);
    }

    void escapeMeansCancel() {
        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QCOMPARE(TMessageBox::Show("Save the changes?", "Tulma", 0x23), MessageBoxResult::Cancel);
    }

    void scriptRecordsBoxesAndAnswersInOrder() {
        TMessageBoxScript Boxes;
        Boxes.SetNextAnswer(MessageBoxResult::Yes);
        Boxes.SetNextAnswer(MessageBoxResult::Cancel);
        QCOMPARE(ShowMessageBox("one", "A", 0x23), MessageBoxResult::Yes);
        QCOMPARE(ShowMessageBox("two", "B", 0x23), MessageBoxResult::Cancel);
        QCOMPARE(ShowMessageBox("three", "C", 0x124), MessageBoxResult::No);
        QCOMPARE(Boxes.PendingAnswers(), 0);
        QCOMPARE(Boxes.Shown().size(), size_t{3});
        QCOMPARE(Boxes.Shown()[1].Text, std::string("two"));
        QCOMPARE(Boxes.Shown()[1].Caption, std::string("B"));
        QCOMPARE(Boxes.Shown()[2].Style, 0x124);
        QCOMPARE(Boxes.Shown()[2].Answer, MessageBoxResult::No);

        Boxes.SetNextAnswer(MessageBoxResult::Yes);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, ShowMessageBox("only OK", "D", 0));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, TMessageBoxScript());
    }

    void catalogueMessagesGoThroughTheBox() {
        TMessageBoxScript Boxes;
        CreateMessageList(-1);
        AppMessages()->AddMessage(test::MakeMessage(9, "ConfirmDelete", "Delete %s?", 0x24, "Tulma"));
        Boxes.SetNextAnswer(MessageBoxResult::Yes);
        QCOMPARE(ShowAppMessageFmt(9, {std::string("Editor")}), MessageBoxResult::Yes);
        QCOMPARE(Boxes.Shown().back().Text, std::string("Delete Editor?"));

        QCOMPARE(ShowAppMessage(12), 0);
        QCOMPARE(Boxes.Shown().back().Text, std::string("Meldung 12 nicht gefunden."));
        QCOMPARE(Boxes.Shown().back().Caption, std::string("Meldung"));
        QCOMPARE(Boxes.Shown().back().Style, 48);
        QCOMPARE(Boxes.Shown().back().Answer, MessageBoxResult::Ok);
    }

    void escapedErrorIsShownAndTheProgramGoesOn() {
        TMessageBoxScript Boxes;
        QApplication::setApplicationDisplayName("Tulma");
        bool RanAfterwards = false;
        QMetaObject::invokeMethod(
            qApp, [] { throw EFOpenError("/nowhere/KeyList.TUL"); }, Qt::QueuedConnection);
        QMetaObject::invokeMethod(
            qApp, [&RanAfterwards] { RanAfterwards = true; }, Qt::QueuedConnection);
        QTRY_VERIFY(RanAfterwards);
        QCOMPARE(Boxes.Shown().size(), size_t{1});
        QCOMPARE(Boxes.Shown()[0].Text, std::string("Kann Datei /nowhere/KeyList.TUL nicht öffnen"));
        QCOMPARE(Boxes.Shown()[0].Caption, std::string("Tulma"));
        QCOMPARE(Boxes.Shown()[0].Style, MessageBoxStyle::Ok | MessageBoxStyle::IconStop);
    }

    void damagedMessageFileAtStartUpIsShownAndTheCatalogueStaysUsable() {
        TMessageBoxScript Boxes;
        const std::string File = MessageFileName(ProgramDirectory(), 93);
        // A list that promises five messages and ends after the count.
        const char Truncated[] = {'\xEB', '\x03', '\x00', '\x00', '\x05', '\x00', '\x00', '\x00'};
        std::ofstream(File, std::ios::binary).write(Truncated, sizeof Truncated);
        const bool Loaded = TApplication::RunGuarded([] { CreateMessageList(93); });
        std::filesystem::remove(File);

        QVERIFY(!Loaded);
        QCOMPARE(Boxes.Shown().size(), size_t{1});
        QVERIFY(Boxes.Shown()[0].Text.starts_with("Stream-Read-Fehler: " + File));
        QVERIFY(AppMessages() != nullptr);
        QCOMPARE(ShowAppMessage(MessageNumber::SaveChanges), 0);
        QCOMPARE(Boxes.Shown().back().Text, std::string("Meldung 0 nicht gefunden."));
    }
};

TULMA_QTEST_MAIN(MessageBoxTest)
#include "MessageBoxTest.moc"
