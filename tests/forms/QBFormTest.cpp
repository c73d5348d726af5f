#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "AppMessages.h"
#include "ClassRegistration.h"
#include "ControlText.h"
#include "IDList.h"
#include "MessageBoxScript.h"
#include "MessageFileFixture.h"
#include "QBForm.h"
#include "QtListControls.h"
#include "QtTestMain.h"
#include "ReferenceList.h"

using namespace tulma;

namespace {

// A dialog with the fields of a typical OK handler.
class TTestForm : public TQBForm {
  public:
    explicit TTestForm(QWidget* Owner = nullptr) : TQBForm(Owner) {
        auto* Layout = new QVBoxLayout(this);
        for (QWidget* Field : std::initializer_list<QWidget*>{Name, Exec, List, Combo}) {
            Layout->addWidget(Field);
        }
    }

    QLineEdit* Name = new QLineEdit(this);
    QLineEdit* Exec = new QLineEdit(this);
    QListWidget* List = new QListWidget(this);
    QComboBox* Combo = new QComboBox(this);
};

}  // namespace

class QBFormTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterAllClasses(); }
    void init() {
        CreateMessageList(-1);
        AppMessages()->AddMessage(
            test::MakeMessage(MessageNumber::NothingSelected, "NothingSelected", "Select."));
        AppMessages()->AddMessage(
            test::MakeMessage(MessageNumber::RequiredField, "RequiredField", "Fill in."));
        AppMessages()->AddMessage(
            test::MakeMessage(MessageNumber::NameInUse, "NameInUse", "\"%s\" is already in use.", 0x30));
    }
    void cleanup() { FreeMessageList(); }

    void oneComplaintPerAttemptAboutTheFirstBadField() {
        TMessageBoxScript Boxes;
        TTestForm Form;
        Form.show();
        QVERIFY(!Form.InputError);

        QCOMPARE(Form.GetRequiredText(Form.Name), std::string());
        QCOMPARE(Form.GetRequiredText(Form.Exec), std::string());
        QCOMPARE(Boxes.Shown().size(), size_t{1});
        QCOMPARE(Boxes.Shown()[0].Text, std::string("Fill in."));
        QCOMPARE(Form.focusWidget(), Form.Name);
        QVERIFY(Form.InputError);

        Form.InputError = false;
        Form.Name->setText("Editor");
        QCOMPARE(Form.GetRequiredText(Form.Name), std::string("Editor"));
        QCOMPARE(Form.GetRequiredText(Form.Exec), std::string());
        QCOMPARE(Boxes.Shown().size(), size_t{2});
        QCOMPARE(Form.focusWidget(), Form.Exec);

        Form.InputError = false;
        Form.Exec->setText("   ");
        QCOMPARE(Form.GetRequiredText(Form.Exec), std::string("   "));
        QVERIFY(!Form.InputError);
        QCOMPARE(Boxes.Shown().size(), size_t{2});
    }

    void missingSelectionIsReportedOnce() {
        TMessageBoxScript Boxes;
        TTestForm Form;
        Form.show();
        Form.List->addItems({"a", "b"});
        int32_t Index = 5;
        QVERIFY(!Form.GetSelectedIndex(Form.List, Index));
        QCOMPARE(Index, -1);
        QCOMPARE(Boxes.Shown().size(), size_t{1});
        QCOMPARE(Boxes.Shown()[0].Text, std::string("Select."));
        QCOMPARE(Form.focusWidget(), Form.List);
        QVERIFY(Form.InputError);

        QVERIFY(!Form.GetSelectedIndex(Form.List, Index));
        QCOMPARE(Boxes.Shown().size(), size_t{1});

        Form.InputError = false;
        Form.List->setCurrentRow(1);
        QVERIFY(Form.GetSelectedIndex(Form.List, Index));
        QCOMPARE(Index, 1);
        Form.Combo->addItems({"x", "y", "z"});
        Form.Combo->setCurrentIndex(2);
        QVERIFY(Form.GetSelectedIndex(Form.Combo, Index));
        QCOMPARE(Index, 2);

        // Another control leaves Index as the caller set it.
        Index = 4;
        QVERIFY(Form.GetSelectedIndex(Form.Name, Index));
        QCOMPARE(Index, 4);
        QVERIFY(!Form.InputError);
        QCOMPARE(Boxes.Shown().size(), size_t{1});
    }

    void controlTextByKindOfControl() {
        TQBForm Form;
        QLabel Label("label");
        QPlainTextEdit Memo("line 1\nline 2");
        QComboBox Combo;
        Combo.addItems({"first", "second"});
        Combo.setCurrentIndex(1);
        QGroupBox Panel("panel");
        QCheckBox Check("check");
        QPushButton Button("button");
        QCOMPARE(Form.GetControlText(&Label), std::string("label"));
        QCOMPARE(Form.GetControlText(&Memo), std::string("line 1\nline 2"));
        QCOMPARE(Form.GetControlText(&Combo), std::string("second"));
        QCOMPARE(Form.GetControlText(&Panel), std::string("panel"));
        QCOMPARE(Form.GetControlText(&Check), std::string());
        QCOMPARE(Form.GetControlText(&Button), std::string());
        QCOMPARE(Form.GetControlText(nullptr), std::string());
    }

    void windowsTextKeepsItsBytesUntilEdited() {
        QLineEdit Edit;
        const std::string Windows1252 = "C:\\Programme\\M\xFCller";
        SetControlText(&Edit, Windows1252);
        QCOMPARE(Edit.text(), QString::fromUtf8("C:\\Programme\\Müller"));
        QCOMPARE(ControlText(&Edit), Windows1252);
        Edit.setText(Edit.text() + "2");
        QCOMPARE(ControlText(&Edit), std::string("C:\\Programme\\M\xC3\xBCller2"));
    }

    void dialogStartsBesideItsOwner() {
        QWidget Owner;
        Owner.setGeometry(100, 50, 300, 200);
        Owner.show();
        QCOMPARE(Owner.mapToGlobal(QPoint(0, 0)), QPoint(100, 50));

        TTestForm Dialog(&Owner);
        Dialog.resize(200, 150);
        QCOMPARE(Dialog.pos(), QPoint(120, 70));
        Dialog.show();
        QCOMPARE(Dialog.pos(), QPoint(120, 70));
    }

    void dialogThatDoesNotFitGoesToTheCorner() {
        const QRect Screen = QGuiApplication::primaryScreen()->geometry();
        QWidget Owner;
        Owner.setGeometry(Screen.right() - 150, 50, 100, 100);
        Owner.show();
        TTestForm Dialog(&Owner);
        Dialog.resize(200, 150);
        Dialog.show();
        QCOMPARE(Dialog.pos(), Screen.topLeft());

        QWidget Low;
        Low.setGeometry(10, Screen.bottom() - 100, 100, 50);
        Low.show();
        TTestForm Below(&Low);
        Below.resize(100, 150);
        Below.show();
        QCOMPARE(Below.pos(), Screen.topLeft());
    }

    void referenceListDrivesQtListAndComboBoxes() {
        TIDList Entries;
        for (const char* Name : {"beta", "Alpha", "gamma"}) {
            auto Entry = std::make_unique<TSimpleListEntry>();
            Entry->Name = Name;
            Entries.Add(std::move(Entry));
        }
        QListWidget List;
        TListWidgetControl ListControl(&List);
        TReferenceList References;
        References.UpdateControl(&ListControl, Entries);
        QCOMPARE(List.count(), 3);
        QCOMPARE(List.item(0)->text(), QString("Alpha"));
        QCOMPARE(List.item(2)->text(), QString("gamma"));
        QCOMPARE(References.GetSelectedID(&ListControl), -1);

        List.setCurrentRow(0);  // Alpha, identifier 1
        auto Aaron = std::make_unique<TSimpleListEntry>();
        Aaron->Name = "Aaron";
        Entries.Add(std::move(Aaron));
        References.UpdateControl(&ListControl, Entries);
        QCOMPARE(List.currentRow(), 1);
        QCOMPARE(References.GetSelectedID(&ListControl), 1);
        References.SelectByID(&ListControl, 42);
        QCOMPARE(List.selectedItems().size(), 0);
        QCOMPARE(References.GetSelectedID(&ListControl), -1);

        QComboBox Combo;
        const auto ComboControl = ListControlFor(&Combo);
        QVERIFY(ComboControl != nullptr);
        References.FillComboBox(*ComboControl);
        QCOMPARE(Combo.count(), 4);
        QCOMPARE(Combo.currentIndex(), -1);
        Combo.setCurrentIndex(3);
        References.UpdateControl(ComboControl.get(), Entries);
        QCOMPARE(Combo.currentText(), QString("gamma"));

        QCheckBox Check;
        QVERIFY(ListControlFor(&Check) == nullptr);
        QVERIFY_THROWS_EXCEPTION(EInvalidCast,
                                 References.UpdateControl(ListControlFor(&Check).get(), Entries));
    }

    void nameClashIsReportedThroughTheCatalogue() {
        TMessageBoxScript Boxes;
        TIDList Entries;
        auto Editor = std::make_unique<TSimpleListEntry>();
        Editor->Name = "Editor";
        Entries.Add(std::move(Editor));
        const TReferenceList References(Entries);
        TSimpleListEntry Probe;
        Probe.Name = "Editor";
        QVERIFY(!References.CheckForExistingName(&Probe, true));
        QCOMPARE(Boxes.Shown().size(), size_t{1});
        QCOMPARE(Boxes.Shown()[0].Text, std::string("\"Editor\" is already in use."));
        QCOMPARE(Boxes.Shown()[0].Style, 0x30);
    }
};

TULMA_QTEST_MAIN(QBFormTest)
#include "QBFormTest.moc"
