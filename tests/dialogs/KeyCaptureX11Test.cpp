// The key field on a real X display: key presses made through XTEST, on a layout other than the US one,
// give the virtual-key codes under which the X11 hotkeys grab and fire.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <xkbcommon/xkbcommon-keysyms.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "Application.h"
#include "AtomTable.h"
#include "ClassRegistration.h"
#include "DialogTestSupport.h"
#include "FDefine.h"
#include "HotKeyActivation.h"
#include "HotKeyCombinationCheck.h"
#include "HotTulma.h"
#include "KeyComboText.h"
#include "KeyboardMapping.h"
#include "QtX11.h"
#include "X11HotKeys.h"
#include "XServerFixture.h"

using namespace std::chrono_literals;

using namespace tulma;
using test::Child;

namespace {

// The modifiers of a key-combination value as a registration takes them.
unsigned ModifiersOf(std::uint16_t Value) {
    return ((Value & AltBit) != 0 ? MOD_ALT : 0u) | ((Value & CtrlBit) != 0 ? MOD_CONTROL : 0u) |
           ((Value & ShiftBit) != 0 ? MOD_SHIFT : 0u);
}

struct TOpenDialog {
    explicit TOpenDialog(THotTulma& HotKey) {
        Form.SetHotKey(&HotKey);
        Form.show();
        Form.activateWindow();
        if (!QTest::qWaitForWindowActive(&Form)) {
            qFatal("dialog not active");
        }
        Child<QLineEdit>(Form, "TxtKey")->setFocus(Qt::TabFocusReason);
    }
    TFormHotKeyDefine Form{nullptr};
    QLabel* Info = Child<QLabel>(Form, "LabInfo");
};

}  // namespace

class KeyCaptureX11Test : public QObject {
    Q_OBJECT

  public:
    explicit KeyCaptureX11Test(test::XServerFixture& Display) : Display(Display) {}

  private slots:
    void initTestCase() {
        RegisterAllClasses();
        SetKeyNameLookup(X11KeyNames());
        SetKeyEventLookup(X11KeyCodes());
    }

    // The key that types a is A (0x41) wherever it sits, and its registration fires on it.
    void theKeyThatTypesAIsCapturedAsAAndItsRegistrationFires() {
        test::FakeKeyboard UsKeys(Display.Connection());
        const xcb_keycode_t KeyA = UsKeys.Keycode(XKB_KEY_a);
        const xcb_keycode_t KeyQ = UsKeys.Keycode(XKB_KEY_q);
        test::KeyboardMapping Azerty(Display.Connection());
        Azerty.Set(KeyQ, {XKB_KEY_a, XKB_KEY_A});
        Azerty.Set(KeyA, {XKB_KEY_q, XKB_KEY_Q});
        test::Settle(200);

        THotTulma HotKey;
        HotKey.Name = "Editor";
        {
            TOpenDialog Dialog(HotKey);
            test::FakeKeyboard Keys(Display.Connection());
            QCOMPARE(Keys.Keycode(XKB_KEY_a), KeyQ);
            Keys.Chord({XKB_KEY_Control_L, XKB_KEY_Alt_L, XKB_KEY_a});
            QTRY_COMPARE(Dialog.Info->text(), QString("Strg+Alt+A"));
            QCOMPARE(Dialog.Form.focusWidget(), Child<QListWidget>(Dialog.Form, "LBCommands"));
            Child<QPushButton>(Dialog.Form, "BtnOK")->click();
        }
        QCOMPARE(HotKey.HotKey, uint16_t{0xC041});

        TX11HotKeys HotKeys;
        std::vector<std::uint16_t> Fired;
        HotKeys.SetPressHandler([&Fired](std::uint16_t Id) { Fired.push_back(Id); });
        QVERIFY(HotKeys.RegisterHotKey(0xC000, ModifiersOf(HotKey.HotKey), HotKey.HotKey & 0xFF));
        test::FakeKeyboard Keys(Display.Connection());
        Keys.Chord({XKB_KEY_Control_L, XKB_KEY_Alt_L, XKB_KEY_a});
        QVERIFY(test::WaitUntil([&] { return !Fired.empty(); }, 3s));
        QCOMPARE(Fired, std::vector<std::uint16_t>({0xC000}));
    }

    void shiftedDigitAndPunctuationKeysKeepTheirKey() {
        THotTulma HotKey;
        HotKey.Name = "Digits";
        TOpenDialog Dialog(HotKey);
        test::FakeKeyboard Keys(Display.Connection());
        Keys.Chord({XKB_KEY_Shift_L, XKB_KEY_1});
        QTRY_COMPARE(Dialog.Info->text(), QString("Umsch+1"));

        Child<QLineEdit>(Dialog.Form, "TxtKey")->setFocus(Qt::TabFocusReason);
        Keys.Chord({XKB_KEY_Control_L, XKB_KEY_semicolon});
        QTRY_COMPARE(Dialog.Info->text(), QString("Strg+;"));
        Child<QPushButton>(Dialog.Form, "BtnOK")->click();
        QCOMPARE(HotKey.HotKey, uint16_t{0x40BA});
    }

    void modifierPressedAloneAndReturnKeepTheirRoles() {
        THotTulma HotKey;
        HotKey.Name = "Keys";
        HotKey.HotKey = 0x4045;
        TOpenDialog Dialog(HotKey);
        test::FakeKeyboard Keys(Display.Connection());
        Keys.Tap(XKB_KEY_Shift_L);
        Keys.Tap(XKB_KEY_Alt_L);
        test::Settle(200);
        QCOMPARE(Dialog.Info->text(), QString("Strg+E"));
        Keys.Tap(XKB_KEY_Return);
        QTRY_VERIFY(!Dialog.Form.isVisible());
        QCOMPARE(Dialog.Form.result(), int(QDialog::Accepted));
        QCOMPARE(HotKey.HotKey, uint16_t{0x4045});
    }

    // A combination that another client has grabbed (as xbindkeys does) still reaches the key field, and
    // the dialog says it is taken before OK.
    void combinationGrabbedByAnotherClientIsCapturedAndSaidTaken() {
        test::FakeKeyboard Keys(Display.Connection());
        const xcb_keycode_t KeyG = Keys.Keycode(XKB_KEY_g);
        const auto Grabbed = static_cast<std::uint16_t>(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1);
        xcb_grab_key(Display.Connection(), 1, Display.Root(), Grabbed, KeyG, XCB_GRAB_MODE_ASYNC,
                     XCB_GRAB_MODE_ASYNC);
        xcb_flush(Display.Connection());

        TX11HotKeys HotKeys;
        TAtomTable Atoms;
        QMenu Menu;
        THotKeyActivation Activation(HotKeys, Atoms, Menu, [](const THotTulma&) {});
        THotKeyCombinationCheck Check(Activation, HotKeys, Atoms, false);
        THotTulma HotKey;
        HotKey.Name = "Grabbed";
        TFormHotKeyDefine Form(nullptr);
        Form.SetCombinationCheck(&Check);
        Form.SetHotKey(&HotKey);
        Form.show();
        Form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Form));
        Child<QLineEdit>(Form, "TxtKey")->setFocus(Qt::TabFocusReason);
        test::Settle(200);
        Keys.Chord({XKB_KEY_Control_L, XKB_KEY_Alt_L, XKB_KEY_g});
        QTRY_COMPARE(Child<QLabel>(Form, "LabInfo")->text(), QString("Strg+Alt+G"));
        QCOMPARE(Child<QLabel>(Form, "LabKeyNote")->text(),
                 QString("Another program holds it: it won't run this."));
        Form.reject();
        xcb_ungrab_key(Display.Connection(), KeyG, Display.Root(), Grabbed);
        xcb_flush(Display.Connection());
    }

  private:
    test::XServerFixture& Display;
};

int main(int Argc, char** Argv) {
    test::XServerFixture Display;
    if (!test::XServerFixture::XvfbInstalled()) {
        std::puts("SKIP: Xvfb is not installed");
        return 0;
    }
    Display.Start(true);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    int Result = 0;
    {
        TApplication Application(Argc, Argv);
        KeyCaptureX11Test Test(Display);
        Result = QTest::qExec(&Test, Argc, Argv);
    }
    Display.Stop();
    return Result;
}

#include "KeyCaptureX11Test.moc"
