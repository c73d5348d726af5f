#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>

#include <xkbcommon/xkbcommon-keysyms.h>

#include <memory>
#include <optional>
#include <vector>

#include "KeyboardMapping.h"
#include "X11HotKeys.h"
#include "XDisplayTest.h"
#include "XcbConnection.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

constexpr std::uint16_t FirstId = 0xC000;
constexpr std::uint16_t SecondId = 0xC001;
constexpr unsigned CtrlAlt = MOD_CONTROL | MOD_ALT;

// Counts the presses of one key that reach the application, before the hotkeys see them.
class PressCounter : public QAbstractNativeEventFilter {
  public:
    explicit PressCounter(xcb_keycode_t Keycode) : Keycode(Keycode) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~PressCounter() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    bool nativeEventFilter(const QByteArray&, void* Message, qintptr*) override {
        const auto* Event = static_cast<const xcb_key_press_event_t*>(Message);
        if ((Event->response_type & 0x7F) == XCB_KEY_PRESS && Event->detail == Keycode) {
            ++Count;
        }
        return false;
    }
    int Count = 0;

  private:
    xcb_keycode_t Keycode;
};

// The diagnostics of tulma.platform while it lives.
class PlatformDiagnostics {
  public:
    PlatformDiagnostics() {
        Lines.clear();
        QLoggingCategory::setFilterRules("tulma.platform.debug=true");
        Previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& Text) { Lines << Text; });
    }
    ~PlatformDiagnostics() {
        qInstallMessageHandler(Previous);
        QLoggingCategory::setFilterRules({});
    }
    PlatformDiagnostics(const PlatformDiagnostics&) = delete;
    PlatformDiagnostics& operator=(const PlatformDiagnostics&) = delete;

    static inline QStringList Lines;

  private:
    QtMessageHandler Previous;
};

class X11HotKeysTest : public XDisplayTest {
  protected:
    std::unique_ptr<TX11HotKeys> HotKeys;
    std::vector<std::uint16_t> Fired;
    std::unique_ptr<FakeKeyboard> Keyboard;

    void SetUp() override {
        XDisplayTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        HotKeys = std::make_unique<TX11HotKeys>();
        HotKeys->SetPressHandler([this](std::uint16_t Id) { Fired.push_back(Id); });
        Keyboard = std::make_unique<FakeKeyboard>(X());
    }

    void PressCtrlAlt(std::uint32_t Keysym) { Keyboard->Chord({XKB_KEY_Control_L, XKB_KEY_Alt_L, Keysym}); }

    bool FiredCount(std::size_t Count) {
        return WaitUntil([&] { return Fired.size() >= Count; }, 3s) && Fired.size() == Count;
    }

    // Nothing more arrives within a generous pause.
    bool StaysAt(std::size_t Count) {
        Settle(300);
        return Fired.size() == Count;
    }
};

TEST_F(X11HotKeysTest, CtrlAltKFiresAlsoWithNumLockAndCapsLockAndStopsAfterUnregister) {
    ASSERT_TRUE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'K'));
    std::vector<quint16> Signalled;
    QObject::connect(HotKeys.get(), &TX11HotKeys::HotKeyPressed,
                     [&](quint16 Id) { Signalled.push_back(Id); });

    PressCtrlAlt(XKB_KEY_k);
    ASSERT_TRUE(FiredCount(1));
    EXPECT_EQ(Fired[0], FirstId);
    EXPECT_EQ(Signalled, std::vector<quint16>{FirstId});
    EXPECT_NE(HotKeys->LastPressTime(), xcb_timestamp_t{XCB_CURRENT_TIME});

    Keyboard->Tap(XKB_KEY_Num_Lock);
    PressCtrlAlt(XKB_KEY_k);
    EXPECT_TRUE(FiredCount(2));
    Keyboard->Tap(XKB_KEY_Caps_Lock);
    PressCtrlAlt(XKB_KEY_k);
    EXPECT_TRUE(FiredCount(3));
    Keyboard->Tap(XKB_KEY_Num_Lock);
    Keyboard->Tap(XKB_KEY_Caps_Lock);

    // Other modifier sets are other combinations.
    Keyboard->Tap(XKB_KEY_k);
    Keyboard->Chord({XKB_KEY_Control_L, XKB_KEY_k});
    Keyboard->Chord({XKB_KEY_Shift_L, XKB_KEY_Control_L, XKB_KEY_Alt_L, XKB_KEY_k});
    EXPECT_TRUE(StaysAt(3));

    HotKeys->UnregisterHotKey(FirstId);
    PressCtrlAlt(XKB_KEY_k);
    EXPECT_TRUE(StaysAt(3));
    HotKeys->UnregisterHotKey(FirstId);
}

TEST_F(X11HotKeysTest, ModifierFlagsAndKeysMapOneToOne) {
    ASSERT_TRUE(HotKeys->RegisterHotKey(FirstId, MOD_SHIFT, 'K'));
    ASSERT_TRUE(HotKeys->RegisterHotKey(SecondId, 0, 0x78));  // F9 alone
    Keyboard->Chord({XKB_KEY_Shift_L, XKB_KEY_k});
    ASSERT_TRUE(FiredCount(1));
    Keyboard->Tap(XKB_KEY_F9);
    ASSERT_TRUE(FiredCount(2));
    EXPECT_EQ(Fired, (std::vector<std::uint16_t>{FirstId, SecondId}));

    EXPECT_FALSE(HotKeys->RegisterHotKey(0xC002, 8, 'K')) << "the Windows key is not offered";
    EXPECT_FALSE(HotKeys->RegisterHotKey(0xC002, CtrlAlt, 0)) << "no key";
    EXPECT_FALSE(HotKeys->RegisterHotKey(0xC002, CtrlAlt, 0xFF)) << "a code without a key";
}

TEST_F(X11HotKeysTest, CombinationHeldByThisProcessOrUnderTheSameIdIsRefused) {
    ASSERT_TRUE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'K'));
    EXPECT_FALSE(HotKeys->RegisterHotKey(SecondId, CtrlAlt, 'K'));
    EXPECT_FALSE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'L'));
    ASSERT_TRUE(HotKeys->RegisterHotKey(SecondId, CtrlAlt, 'L'));

    PressCtrlAlt(XKB_KEY_k);
    ASSERT_TRUE(FiredCount(1));
    EXPECT_EQ(Fired[0], FirstId);

    HotKeys->UnregisterHotKey(FirstId);
    HotKeys->UnregisterHotKey(SecondId);
    ASSERT_TRUE(HotKeys->RegisterHotKey(SecondId, CtrlAlt, 'K'));
    PressCtrlAlt(XKB_KEY_k);
    ASSERT_TRUE(FiredCount(2));
    EXPECT_EQ(Fired[1], SecondId);
}

// Another client's grab of the plain combination, or of only one lock variant, makes the registration
// fail; the variants taken before the refusal are given back.
TEST_F(X11HotKeysTest, CombinationGrabbedByAnotherClientFailsAndLeavesNothingBehind) {
    std::optional<TXcbConnection> OtherClient(std::in_place, TestDisplay().DisplayName().c_str());
    xcb_connection_t* Other = OtherClient->Get();
    const xcb_keycode_t J = Keyboard->Keycode(XKB_KEY_j);
    const std::uint16_t CtrlAltMask = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    auto GrabBy = [&](xcb_connection_t* Client, std::uint16_t Modifiers) {
        xcb_generic_error_t* Error = xcb_request_check(
            Client,
            xcb_grab_key_checked(Client, 1, Root(), Modifiers, J, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool Taken = Error == nullptr;
        std::free(Error);
        return Taken;
    };

    ASSERT_TRUE(GrabBy(Other, CtrlAltMask));
    EXPECT_FALSE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'J'));
    xcb_ungrab_key(Other, J, Root(), CtrlAltMask);

    ASSERT_TRUE(GrabBy(Other, CtrlAltMask | XCB_MOD_MASK_LOCK));
    {
        const PlatformDiagnostics Diagnostics;
        EXPECT_FALSE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'J'));
        EXPECT_EQ(Diagnostics.Lines,
                  QStringList{QString("grab refused: keycode %1, modifiers 0x%2, X error 10")
                                  .arg(J)
                                  .arg(CtrlAltMask | XCB_MOD_MASK_LOCK, 0, 16)})
            << "the refused variant, and only that one";
    }
    {
        const TXcbConnection Third(TestDisplay().DisplayName().c_str());
        EXPECT_TRUE(GrabBy(Third.Get(), CtrlAltMask))
            << "the variant taken before the refusal was not given back";
    }
    OtherClient.reset();

    Settle(100);
    EXPECT_TRUE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'J'))
        << "free again once the other clients are gone";
}

// Hotkeys given back in one call free every lock variant of theirs and no other hotkey's, also when the
// ids repeat; once the registry is gone, another client can take the rest.
TEST_F(X11HotKeysTest, GivingBackHotKeysFreesTheirVariantsAndNoOthers) {
    const TXcbConnection Other(TestDisplay().DisplayName().c_str());
    auto FreeForOthers = [&](xcb_keysym_t Key) {
        const xcb_keycode_t Keycode = Keyboard->Keycode(Key);
        bool Free = true;
        for (const int Locks :
             {0, int{XCB_MOD_MASK_LOCK}, int{XCB_MOD_MASK_2}, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2}) {
            const auto Modifiers = static_cast<std::uint16_t>(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | Locks);
            xcb_generic_error_t* Error = xcb_request_check(
                Other.Get(), xcb_grab_key_checked(Other.Get(), 1, Root(), Modifiers, Keycode,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            Free = Free && Error == nullptr;
            std::free(Error);
        }
        xcb_ungrab_key(Other.Get(), Keycode, Root(), XCB_MOD_MASK_ANY);
        xcb_flush(Other.Get());
        return Free;
    };
    ASSERT_TRUE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'J'));
    ASSERT_TRUE(HotKeys->RegisterHotKey(SecondId, CtrlAlt, 'K'));

    const std::uint16_t Repeated[] = {FirstId, FirstId};
    HotKeys->UnregisterHotKeys(Repeated);
    EXPECT_TRUE(FreeForOthers(XKB_KEY_j));
    EXPECT_FALSE(FreeForOthers(XKB_KEY_k));
    PressCtrlAlt(XKB_KEY_k);
    ASSERT_TRUE(FiredCount(1));
    EXPECT_EQ(Fired[0], SecondId);

    HotKeys.reset();
    EXPECT_TRUE(FreeForOthers(XKB_KEY_k));
}

// A whole file at once: each request is answered as alone, a refused one gives back exactly its own
// variants, and the others fire.
TEST_F(X11HotKeysTest, ManyCombinationsAtOnceRefuseOnlyTheOnesHeldElsewhere) {
    std::optional<TXcbConnection> OtherClient(std::in_place, TestDisplay().DisplayName().c_str());
    xcb_connection_t* Other = OtherClient->Get();
    const xcb_keycode_t J = Keyboard->Keycode(XKB_KEY_j);
    const std::uint16_t CtrlAltMask = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    std::free(xcb_request_check(Other, xcb_grab_key_checked(Other, 1, Root(), CtrlAltMask, J,
                                                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));

    const THotKeyRegistration Registrations[] = {
        {1, CtrlAlt, 'K'}, {2, CtrlAlt, 'J'}, {3, CtrlAlt, 'L'}, {4, CtrlAlt, 'K'}, {1, CtrlAlt, 'M'}};
    EXPECT_EQ(HotKeys->RegisterHotKeys(Registrations), (std::vector<bool>{true, false, true, false, false}));
    OtherClient.reset();
    Settle(100);
    EXPECT_TRUE(HotKeys->RegisterHotKey(5, CtrlAlt, 'J')) << "the refused request kept a variant";

    PressCtrlAlt(XKB_KEY_k);
    PressCtrlAlt(XKB_KEY_l);
    ASSERT_TRUE(FiredCount(2));
    EXPECT_EQ(Fired, (std::vector<std::uint16_t>{1, 3}));

    const std::uint16_t Ids[] = {1, 3, 5};
    HotKeys->UnregisterHotKeys(Ids);
    PressCtrlAlt(XKB_KEY_k);
    PressCtrlAlt(XKB_KEY_j);
    EXPECT_TRUE(StaysAt(2));
}

// A file is answered on the grabs of the lock keys' current state, the others follow: its hotkeys fire
// whatever the lock keys, and one that another client holds only in another lock state is withdrawn and
// given back whole.
TEST_F(X11HotKeysTest, FileAnsweredInTheCurrentLockStateGrabsTheOthersAfterwards) {
    const TXcbConnection Other(TestDisplay().DisplayName().c_str());
    const xcb_keycode_t J = Keyboard->Keycode(XKB_KEY_j);
    const std::uint16_t CtrlAltMask = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    auto GrabJ = [&](std::uint16_t Locks) {
        xcb_generic_error_t* Error =
            xcb_request_check(Other.Get(), xcb_grab_key_checked(Other.Get(), 1, Root(), CtrlAltMask | Locks,
                                                                J, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(Error);
        return Error == nullptr;
    };
    ASSERT_TRUE(GrabJ(XCB_MOD_MASK_LOCK));
    std::vector<std::uint16_t> Withdrawn;
    HotKeys->SetWithdrawalHandler([&](const std::vector<std::uint16_t>& Ids) { Withdrawn = Ids; });

    Keyboard->Tap(XKB_KEY_Num_Lock);
    const THotKeyRegistration Registrations[] = {{1, CtrlAlt, 'K'}, {2, CtrlAlt, 'J'}};
    EXPECT_EQ(HotKeys->RegisterHotKeys(Registrations), (std::vector<bool>{true, true}));
    PressCtrlAlt(XKB_KEY_k);
    EXPECT_TRUE(FiredCount(1)) << "the current lock state is grabbed before the answer";
    ASSERT_TRUE(WaitUntil([&] { return !Withdrawn.empty(); }, 3s));
    EXPECT_EQ(Withdrawn, std::vector<std::uint16_t>{2});

    Keyboard->Tap(XKB_KEY_Num_Lock);
    PressCtrlAlt(XKB_KEY_k);
    EXPECT_TRUE(FiredCount(2));
    PressCtrlAlt(XKB_KEY_j);
    Keyboard->Tap(XKB_KEY_Caps_Lock);
    PressCtrlAlt(XKB_KEY_k);
    EXPECT_TRUE(FiredCount(3));
    Keyboard->Tap(XKB_KEY_Caps_Lock);
    EXPECT_TRUE(StaysAt(3));
    EXPECT_TRUE(GrabJ(XCB_MOD_MASK_2)) << "the withdrawn hotkey kept its grab of the current lock state";
}

TEST_F(X11HotKeysTest, HeldCombinationFiresOnceAndEveryNewPressFires) {
    ASSERT_TRUE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'K'));
    PressCounter Presses(Keyboard->Keycode(XKB_KEY_k));

    Keyboard->Press(XKB_KEY_Control_L);
    Keyboard->Press(XKB_KEY_Alt_L);
    Keyboard->Press(XKB_KEY_k);
    ASSERT_TRUE(WaitUntil([&] { return Presses.Count >= 4; }, 5s)) << "the server sent no repeats";
    Keyboard->Release(XKB_KEY_k);
    EXPECT_TRUE(StaysAt(1));

    // New presses while the modifiers are still held are new firings, also one that a program sends in
    // the millisecond of the release before it.
    for (int Press = 0; Press < 2; ++Press) {
        Keyboard->Press(XKB_KEY_k);
        Keyboard->Release(XKB_KEY_k);
    }
    Keyboard->Release(XKB_KEY_Alt_L);
    Keyboard->Release(XKB_KEY_Control_L);
    EXPECT_TRUE(FiredCount(3));
}

TEST_F(X11HotKeysTest, PressIsServedByANestedEventLoop) {
    ASSERT_TRUE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'K'));
    QEventLoop Modal;
    QObject::connect(HotKeys.get(), &TX11HotKeys::HotKeyPressed, &Modal, &QEventLoop::quit);
    QTimer::singleShot(3000, &Modal, &QEventLoop::quit);
    QTimer::singleShot(0, [&] { PressCtrlAlt(XKB_KEY_k); });
    Modal.exec();
    EXPECT_EQ(Fired, std::vector<std::uint16_t>{FirstId});
}

TEST_F(X11HotKeysTest, FollowsTheKeyAfterAMappingChange) {
    ASSERT_TRUE(HotKeys->RegisterHotKey(FirstId, CtrlAlt, 'A'));
    KeyboardMapping Mapping(X());
    const xcb_keycode_t OldA = Keyboard->Keycode(XKB_KEY_a);
    const xcb_keycode_t OldQ = Keyboard->Keycode(XKB_KEY_q);
    // An AZERTY-like swap: the key that typed q now types a.
    Mapping.Set(OldQ, {XKB_KEY_a, XKB_KEY_A});
    Mapping.Set(OldA, {XKB_KEY_q, XKB_KEY_Q});
    Settle(300);

    FakeKeyboard Swapped(X());
    ASSERT_EQ(Swapped.Keycode(XKB_KEY_a), OldQ);
    Swapped.Chord({XKB_KEY_Control_L, XKB_KEY_Alt_L, XKB_KEY_q});
    EXPECT_TRUE(StaysAt(0));
    Swapped.Chord({XKB_KEY_Control_L, XKB_KEY_Alt_L, XKB_KEY_a});
    EXPECT_TRUE(FiredCount(1));
}

}  // namespace
}  // namespace tulma::test
