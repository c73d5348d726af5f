// The program's language as the locale of the test process chooses it (LC_ALL, set by the test's
// registration): German texts under de_DE.UTF-8, English ones under C.
#include <QCoreApplication>
#include <QTest>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "AppMessages.h"
#include "ClassRegistration.h"
#include "CurrentHotKeyFile.h"
#include "KeyComboText.h"
#include "MessageBoxScript.h"
#include "MessageList.h"
#include "ProgramLanguage.h"
#include "QtFileDialogs.h"
#include "QtTestMain.h"
#include "TempDir.h"

using namespace tulma;

class ProgramLanguageTest : public QObject {
    Q_OBJECT

  private:
    bool German = false;
    std::optional<TProgramLanguage> Language;

    // The German text under a German locale, the English one otherwise.
    QString Expected(const char* InGerman, const char* InEnglish) const {
        return German ? InGerman : InEnglish;
    }

  private slots:
    void initTestCase() {
        const QString Locale = qEnvironmentVariable("LC_ALL");
        QVERIFY2(Locale == "de_DE.UTF-8" || Locale == "C", "run with LC_ALL=de_DE.UTF-8 or LC_ALL=C");
        German = Locale.startsWith("de");
        QCOMPARE(TProgramLanguage::SpeaksGerman(TProgramLanguage::UserLocale()), German);
        RegisterAllClasses();
        Language.emplace(TProgramLanguage::UserLocale(), TULMA_PROGRAM_DIR);
    }

    void cleanupTestCase() { Language.reset(); }

    void combinationAndFileFilter() {
        QCOMPARE(QString::fromStdString(KeyComboText(0x2000 | 0x4000 | 0x8000 | 0x54)),
                 Expected("Umsch+Strg+Alt+T", "Shift+Ctrl+Alt+T"));
        QCOMPARE(QString::fromStdString(KeyComboText(0x4000 | 0x22)), Expected("Strg+BildAb", "Ctrl+PgDown"));
        QCOMPARE(QCoreApplication::translate("TQtFileDialogs", TQtFileDialogs::Filter),
                 Expected("Tulma-Files (*.tul)|*.tul", "Tulma files (*.tul)|*.tul"));
    }

    void messageBoxOfAMissingMessage() {
        TMessageBoxScript Boxes;
        CreateMessageList(-1);
        QCOMPARE(ShowAppMessage(12), 0);
        FreeMessageList();
        QCOMPARE(Boxes.Shown().size(), size_t{1});
        QCOMPARE(QString::fromStdString(Boxes.Shown()[0].Text),
                 Expected("Meldung 12 nicht gefunden.", "Message 12 not found."));
        QCOMPARE(QString::fromStdString(Boxes.Shown()[0].Caption), Expected("Meldung", "Message"));
    }

    void fileThatIsNoHotKeyFile() {
        const test::TempDir Dir;
        InitHotKeyModule(Dir.Path().string());
        HotKeyFileName() = Dir.File("notes.tul");
        std::ofstream(HotKeyFileName()) << "shopping: milk, bread";
        QString Message;
        try {
            LoadHotKeyFile();
        } catch (const std::exception& Error) {
            Message = QString::fromStdString(Error.what());
        }
        EndHotKeyModule();
        // Its first four bytes, "shop", read as a class code.
        QCOMPARE(Message,
                 German ? QString("Klasse 1886349427 nicht gefunden.")
                        : QString::fromStdString(Dir.File("notes.tul")) + " is not a Tulma hotkey file.");
    }
};

TULMA_QTEST_MAIN(ProgramLanguageTest)
#include "ProgramLanguageTest.moc"
