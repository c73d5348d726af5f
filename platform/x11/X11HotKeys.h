#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <map>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include <xcb/xcb.h>

#include "HotKeyRegistry.h"
#include "X11KeyboardMap.h"
#include "X11LateGrabs.h"

namespace tulma {

// System-wide hotkeys as passive key grabs on the root window, on the application's own X connection.
// Presses arrive through Qt's native event filter and are handed on as posted events, so they are served
// by whatever event loop runs, modal dialogs included. Holding a combination fires it once; auto-repeat does
// not fire it again. A combination is answered on the grab for the lock keys' current state; its other lock
// states are grabbed afterwards, a batch at a time while the event loop runs, and one refused there
// withdraws the registration (SetWithdrawalHandler).
class TX11HotKeys : public QObject, public QAbstractNativeEventFilter, public IHotKeyRegistry {
    Q_OBJECT
  public:
    // Needs a QGuiApplication on the xcb platform; throws std::runtime_error otherwise.
    explicit TX11HotKeys(QObject* Parent = nullptr);
    ~TX11HotKeys() override;

    bool RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) override;
    std::vector<bool> RegisterHotKeys(std::span<const THotKeyRegistration> Wanted) override;
    void UnregisterHotKey(std::uint16_t Id) override;
    void UnregisterHotKeys(std::span<const std::uint16_t> Ids) override;
    void SetPressHandler(TPressHandler Handler) override;
    void SetWithdrawalHandler(TWithdrawalHandler Handler) override;

    // The server time of the last press that fired, for activation requests it leads to; CurrentTime
    // before the first one.
    xcb_timestamp_t LastPressTime() const { return LastFired; }

    bool nativeEventFilter(const QByteArray& EventType, void* Message, qintptr* Result) override;

  signals:
    void HotKeyPressed(quint16 Id);

  private:
    struct TRegistration {
        std::uint16_t Modifiers = 0;  // X modifier bits
        std::uint8_t VirtualKey = 0;
        std::vector<xcb_keycode_t> Keycodes;
        std::vector<TKeyGrab> Grabs;
        // Which sending of its grabs the registration is at: answers and grabs of an earlier one are stale.
        std::uint64_t Round = 0;
        // Granted in every lock state once. Until then a refusal withdraws the registration, as it refuses
        // one not yet answered; after, a keyboard change that meets one leaves it without grabs.
        bool Confirmed = false;
    };
    struct TKeyState {
        bool Down = false;
        xcb_timestamp_t LastPress = 0;
        // When the key went down: the last press that was not a repeat.
        xcb_timestamp_t HeldSince = 0;
        xcb_timestamp_t Release = 0;
        bool Released = false;
    };

    xcb_connection_t* Connection;
    xcb_window_t Root;
    std::unique_ptr<TX11KeyboardMap> Keyboard;
    std::uint8_t XkbFirstEvent = 0;
    std::map<std::uint16_t, TRegistration> Registrations;
    // The registration holding each keycode with its modifiers (KeyOf).
    std::unordered_map<std::uint32_t, std::uint16_t> KeyHolders;
    std::map<xcb_keycode_t, TKeyState> Keys;
    TPressHandler Handler;
    TWithdrawalHandler WithdrawalHandler;
    xcb_timestamp_t LastFired = XCB_CURRENT_TIME;
    std::uint64_t NextRound = 1;
    TX11LateGrabs LateGrabs;

    std::vector<bool> Register(std::span<const THotKeyRegistration> Wanted, bool EveryLockStateNow);
    TRegistration* Admit(const THotKeyRegistration& Asked);
    std::uint16_t CurrentLocks() const;
    std::vector<xcb_void_cookie_t> SendGrabs(TRegistration& Entry, std::span<const std::uint16_t> Locks);
    void QueueLateGrabs(std::uint16_t Id, const TRegistration& Entry, std::uint16_t Sent);
    std::map<std::uint16_t, TRegistration>::iterator RegistrationOf(const TLateGrab& Late);
    bool SendingLateGrab(const TLateGrab& Late);
    void ReadLateAnswers(const std::vector<TLateGrab>& Batch);
    void Refuse(std::map<std::uint16_t, TRegistration>::iterator Entry,
                std::vector<std::uint16_t>& Withdrawn);
    void Forget(std::map<std::uint16_t, TRegistration>::iterator Entry);
    void Withdraw(std::vector<std::uint16_t> Withdrawn);
    bool GrabsTaken(const TRegistration& Entry, const std::vector<xcb_void_cookie_t>& Cookies);
    static void LogRefusal(const TKeyGrab& Variant, std::uint8_t ErrorCode);
    static std::uint32_t KeyOf(xcb_keycode_t Keycode, std::uint16_t Modifiers);
    void IndexKeys(std::uint16_t Id, const TRegistration& Entry);
    void UnindexKeys(std::uint16_t Id, const TRegistration& Entry);
    void ReleaseGrabs(TRegistration& Entry);
    void ReleaseAllGrabs();
    void Sync();
    std::vector<std::uint16_t> LockVariants() const;
    std::uint16_t LockBits() const;
    bool HeldElsewhere(std::uint16_t Id, const TRegistration& Entry) const;
    const std::uint16_t* Match(xcb_keycode_t Keycode, std::uint16_t State) const;
    void OnKeyPress(const xcb_key_press_event_t& Event);
    bool OnKeyRelease(const xcb_key_release_event_t& Event);
    bool IsRepeat(const TKeyState& State, xcb_timestamp_t Time) const;
    void Deliver(std::uint16_t Id);
    void Regrab();
};

// The X modifier bits of MOD_* flags; false when the flags hold bits other than MOD_ALT, MOD_CONTROL and
// MOD_SHIFT.
bool XModifiersOf(unsigned Modifiers, std::uint16_t* XModifiers);

}  // namespace tulma
