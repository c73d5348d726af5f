#include "X11HotKeys.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>
#include <set>
#include <stdexcept>

#include <cstring>

#include "PlatformLog.h"
#include "QtX11.h"
#include "XcbWindowRequests.h"

namespace tulma {

namespace {

// Shift, Lock, Control and Mod1..Mod5; button bits never matter for a key combination.
constexpr std::uint16_t KeyModifierBits = 0xFF;
// A held key repeats every few dozen milliseconds after a delay well under a second; a press while the
// key is still down that comes later than this was a press whose release we never saw.
constexpr xcb_timestamp_t RepeatWindowMs = 1000;
// No desktop lets the repeat delay go this short, while a program that types can release a key and press
// it again within one millisecond.
constexpr xcb_timestamp_t ShortestRepeatDelayMs = 20;

xcb_connection_t* RequireConnection() {
    xcb_connection_t* Connection = QtX11Connection();
    if (Connection == nullptr) {
        throw std::runtime_error("X11HotKeys needs the xcb platform");
    }
    return Connection;
}

// XKB events carry their kind in the byte after the event code. xcb/xkb.h cannot be included from C++
// (it names a field "explicit"), so the extension is looked up by name.
constexpr std::uint8_t XkbNewKeyboardNotify = 0;
constexpr std::uint8_t XkbMapNotify = 1;

std::uint8_t XkbEventBase(xcb_connection_t* Connection) {
    const char Name[] = "XKEYBOARD";
    TXcbReply<xcb_query_extension_reply_t> Extension(xcb_query_extension_reply(
        Connection, xcb_query_extension(Connection, std::strlen(Name), Name), nullptr));
    return Extension && Extension->present ? Extension->first_event : 0;
}

}  // namespace

bool XModifiersOf(unsigned Modifiers, std::uint16_t* XModifiers) {
    if ((Modifiers & ~(MOD_ALT | MOD_CONTROL | MOD_SHIFT)) != 0) {
        return false;
    }
    *XModifiers = static_cast<std::uint16_t>(((Modifiers & MOD_ALT) ? XCB_MOD_MASK_1 : 0) |
                                             ((Modifiers & MOD_CONTROL) ? XCB_MOD_MASK_CONTROL : 0) |
                                             ((Modifiers & MOD_SHIFT) ? XCB_MOD_MASK_SHIFT : 0));
    return true;
}

TX11HotKeys::TX11HotKeys(QObject* Parent)
    : QObject(Parent),
      Connection(RequireConnection()),
      Root(FirstRoot(Connection)),
      Keyboard(std::make_unique<TX11KeyboardMap>(Connection)),
      XkbFirstEvent(XkbEventBase(Connection)),
      LateGrabs(
          Connection, Root, [this](const TLateGrab& Late) { return SendingLateGrab(Late); },
          [this](const std::vector<TLateGrab>& Batch) { ReadLateAnswers(Batch); }) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

// Once the application has gone, so has its connection, and the server has ended the grabs with it.
TX11HotKeys::~TX11HotKeys() {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    QCoreApplication::instance()->removeNativeEventFilter(this);
    LateGrabs.Discard();
    ReleaseAllGrabs();
    xcb_flush(Connection);
}

void TX11HotKeys::SetPressHandler(TPressHandler NewHandler) {
    Handler = std::move(NewHandler);
}

void TX11HotKeys::SetWithdrawalHandler(TWithdrawalHandler NewHandler) {
    WithdrawalHandler = std::move(NewHandler);
}

// One combination asked for alone gets the final answer: its few grabs cost the same round trip.
bool TX11HotKeys::RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) {
    const THotKeyRegistration Registration{Id, Modifiers, VirtualKey};
    return Register({&Registration, 1}, true).front();
}

// A file's other lock states cost the server most of its work on the grabs, which grows with the square of
// their number: the hotkeys answer as soon as they work in the current one.
std::vector<bool> TX11HotKeys::RegisterHotKeys(std::span<const THotKeyRegistration> Wanted) {
    return Register(Wanted, false);
}

// Every grab of every request is sent before any answer is read: a file of many hotkeys costs one round
// trip, not one a hotkey.
std::vector<bool> TX11HotKeys::Register(std::span<const THotKeyRegistration> Wanted, bool EveryLockStateNow) {
    std::vector<bool> Registered(Wanted.size(), false);
    const std::vector<std::uint16_t> Variants = LockVariants();
    const std::uint16_t Now = EveryLockStateNow ? 0 : CurrentLocks();
    const std::span<const std::uint16_t> SentNow = EveryLockStateNow
                                                       ? std::span<const std::uint16_t>(Variants)
                                                       : std::span<const std::uint16_t>(&Now, 1);
    std::vector<std::pair<std::size_t, std::vector<xcb_void_cookie_t>>> Sent;
    for (std::size_t I = 0; I < Wanted.size(); ++I) {
        if (TRegistration* Entry = Admit(Wanted[I])) {
            Entry->Round = NextRound++;
            Sent.emplace_back(I, SendGrabs(*Entry, SentNow));
        }
    }
    bool AnyRefused = false;
    for (auto& [I, Cookies] : Sent) {
        const auto Entry = Registrations.find(Wanted[I].Id);
        Registered[I] = GrabsTaken(Entry->second, Cookies);
        if (!Registered[I]) {
            Forget(Entry);
            AnyRefused = true;
        } else if (EveryLockStateNow) {
            Entry->second.Confirmed = true;
        } else {
            QueueLateGrabs(Entry->first, Entry->second, Now);
        }
    }
    // Another client may take a combination given back at once.
    if (AnyRefused) {
        Sync();
    }
    LateGrabs.Send();
    return Registered;
}

// Enters a request that this program can register, with the keycodes of its key, so that later requests
// of the same batch see it; null, logged, for one it cannot.
TX11HotKeys::TRegistration* TX11HotKeys::Admit(const THotKeyRegistration& Asked) {
    TRegistration Entry;
    Entry.VirtualKey = Asked.VirtualKey;
    if (Registrations.contains(Asked.Id) || !XModifiersOf(Asked.Modifiers, &Entry.Modifiers)) {
        qCDebug(PlatformLog) << "hotkey" << Asked.Id << "refused: id in use or modifiers" << Asked.Modifiers;
        return nullptr;
    }
    Entry.Keycodes = Keyboard->KeycodesForVirtualKey(Asked.VirtualKey);
    if (Entry.Keycodes.empty()) {
        qCDebug(PlatformLog) << "hotkey" << Asked.Id << "refused: no key of this layout gives virtual key"
                             << Asked.VirtualKey;
        return nullptr;
    }
    if (HeldElsewhere(Asked.Id, Entry)) {
        qCDebug(PlatformLog) << "hotkey" << Asked.Id << "refused: this program holds the combination already";
        return nullptr;
    }
    TRegistration& Admitted = Registrations.emplace(Asked.Id, std::move(Entry)).first->second;
    IndexKeys(Asked.Id, Admitted);
    return &Admitted;
}

void TX11HotKeys::UnregisterHotKey(std::uint16_t Id) {
    UnregisterHotKeys({&Id, 1});
}

// One round trip for all: when it returns, another client can take the combinations given back.
void TX11HotKeys::UnregisterHotKeys(std::span<const std::uint16_t> Ids) {
    std::set<std::uint16_t> Held;
    std::copy_if(Ids.begin(), Ids.end(), std::inserter(Held, Held.end()),
                 [this](std::uint16_t Id) { return Registrations.contains(Id); });
    if (Held.empty()) {
        return;
    }
    if (Held.size() == Registrations.size()) {
        ReleaseAllGrabs();
    }
    for (const std::uint16_t Id : Held) {
        Forget(Registrations.find(Id));
    }
    Sync();
}

// Whether another registration of this program holds one of Entry's keys with its modifiers.
bool TX11HotKeys::HeldElsewhere(std::uint16_t Id, const TRegistration& Entry) const {
    return std::any_of(Entry.Keycodes.begin(), Entry.Keycodes.end(), [&](xcb_keycode_t Keycode) {
        const auto Holder = KeyHolders.find(KeyOf(Keycode, Entry.Modifiers));
        return Holder != KeyHolders.end() && Holder->second != Id;
    });
}

std::uint16_t TX11HotKeys::LockBits() const {
    return static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | Keyboard->NumLockMask() |
                                      Keyboard->ScrollLockMask());
}

// Every combination of the lock modifiers that are really on the keyboard, none included.
std::vector<std::uint16_t> TX11HotKeys::LockVariants() const {
    std::vector<std::uint16_t> Locks{XCB_MOD_MASK_LOCK};
    for (std::uint16_t Mask : {Keyboard->NumLockMask(), Keyboard->ScrollLockMask()}) {
        if (Mask != 0 && std::find(Locks.begin(), Locks.end(), Mask) == Locks.end()) {
            Locks.push_back(Mask);
        }
    }
    std::vector<std::uint16_t> Variants;
    for (unsigned Subset = 0; Subset < (1u << Locks.size()); ++Subset) {
        std::uint16_t Bits = 0;
        for (std::size_t I = 0; I < Locks.size(); ++I) {
            if (Subset & (1u << I)) {
                Bits |= Locks[I];
            }
        }
        Variants.push_back(Bits);
    }
    return Variants;
}

// The lock variant the keyboard is in: the one a press would come with now.
std::uint16_t TX11HotKeys::CurrentLocks() const {
    TXcbReply<xcb_query_pointer_reply_t> Pointer(
        xcb_query_pointer_reply(Connection, xcb_query_pointer(Connection, Root), nullptr));
    const std::vector<std::uint16_t> Variants = LockVariants();
    const auto Locks = static_cast<std::uint16_t>(Pointer ? Pointer->mask & LockBits() : 0);
    return std::find(Variants.begin(), Variants.end(), Locks) != Variants.end() ? Locks : 0;
}

// The given lock variants of every keycode; the answers are read by GrabsTaken.
std::vector<xcb_void_cookie_t> TX11HotKeys::SendGrabs(TRegistration& Entry,
                                                      std::span<const std::uint16_t> Locks) {
    std::vector<xcb_void_cookie_t> Cookies;
    for (xcb_keycode_t Keycode : Entry.Keycodes) {
        for (std::uint16_t Variant : Locks) {
            const auto Modifiers = static_cast<std::uint16_t>(Entry.Modifiers | Variant);
            Entry.Grabs.push_back(TKeyGrab{Keycode, Modifiers});
            // owner_events false: press and release always come to the root window, also while one of
            // our own windows has the focus, so no release is missed and a quick second press counts.
            Cookies.push_back(xcb_grab_key_checked(Connection, 0, Root, Modifiers, Keycode,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
    }
    return Cookies;
}

// Every lock variant of Entry's keys but the one Sent already.
void TX11HotKeys::QueueLateGrabs(std::uint16_t Id, const TRegistration& Entry, std::uint16_t Sent) {
    std::vector<TKeyGrab> Grabs;
    for (xcb_keycode_t Keycode : Entry.Keycodes) {
        for (std::uint16_t Variant : LockVariants()) {
            if (Variant != Sent) {
                Grabs.push_back(TKeyGrab{Keycode, static_cast<std::uint16_t>(Entry.Modifiers | Variant)});
            }
        }
    }
    LateGrabs.Queue(Id, Entry.Round, Grabs);
}

// The registration a late grab belongs to; none when it has gone or was sent anew since.
std::map<std::uint16_t, TX11HotKeys::TRegistration>::iterator TX11HotKeys::RegistrationOf(
    const TLateGrab& Late) {
    const auto Entry = Registrations.find(Late.Id);
    return Entry != Registrations.end() && Entry->second.Round == Late.Round ? Entry : Registrations.end();
}

bool TX11HotKeys::SendingLateGrab(const TLateGrab& Late) {
    const auto Entry = RegistrationOf(Late);
    if (Entry == Registrations.end()) {
        return false;
    }
    Entry->second.Grabs.push_back(Late.Grab);
    return true;
}

void TX11HotKeys::ReadLateAnswers(const std::vector<TLateGrab>& Batch) {
    std::vector<std::uint16_t> Withdrawn;
    for (const TLateGrab& Late : Batch) {
        const auto Entry = RegistrationOf(Late);
        if (Entry == Registrations.end()) {
            continue;
        }
        if (Late.ErrorCode != 0) {
            LogRefusal(Late.Grab, Late.ErrorCode);
            Refuse(Entry, Withdrawn);
        } else if (Late.Last) {
            Entry->second.Confirmed = true;
        }
    }
    xcb_flush(Connection);
    Withdraw(std::move(Withdrawn));
}

// A registration not yet granted in every lock state is withdrawn, as it would have been refused had every
// state been asked before the answer; a confirmed one keeps its registration without grabs until a later
// keyboard change. Either way no lock state stays held without the others.
void TX11HotKeys::Refuse(std::map<std::uint16_t, TRegistration>::iterator Entry,
                         std::vector<std::uint16_t>& Withdrawn) {
    if (!Entry->second.Confirmed) {
        Withdrawn.push_back(Entry->first);
        Forget(Entry);
        return;
    }
    ReleaseGrabs(Entry->second);
    Entry->second.Round = NextRound++;
}

// Gives back the registration's grabs and drops it with its keys.
void TX11HotKeys::Forget(std::map<std::uint16_t, TRegistration>::iterator Entry) {
    ReleaseGrabs(Entry->second);
    UnindexKeys(Entry->first, Entry->second);
    Registrations.erase(Entry);
}

// Told as an ordinary event: the handler may show a notice, which must not happen inside the native event
// filter or a timer of this object.
void TX11HotKeys::Withdraw(std::vector<std::uint16_t> Withdrawn) {
    if (Withdrawn.empty()) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, Withdrawn = std::move(Withdrawn)] {
            if (WithdrawalHandler) {
                WithdrawalHandler(Withdrawn);
            }
        },
        Qt::QueuedConnection);
}

// Whether every variant was granted; one refused (another client holds it) refuses the registration, whose
// caller then gives back every variant taken, so that no half-registration stays behind.
bool TX11HotKeys::GrabsTaken(const TRegistration& Entry, const std::vector<xcb_void_cookie_t>& Cookies) {
    bool Refused = false;
    for (std::size_t I = 0; I < Cookies.size(); ++I) {
        TXcbReply<xcb_generic_error_t> Error(xcb_request_check(Connection, Cookies[I]));
        if (Error != nullptr) {
            LogRefusal(Entry.Grabs[Entry.Grabs.size() - Cookies.size() + I], Error->error_code);
            Refused = true;
        }
    }
    return !Refused;
}

void TX11HotKeys::LogRefusal(const TKeyGrab& Variant, std::uint8_t ErrorCode) {
    qCDebug(PlatformLog).nospace() << "grab refused: keycode " << int{Variant.Keycode} << ", modifiers 0x"
                                   << Qt::hex << Variant.Modifiers << Qt::dec << ", X error "
                                   << int{ErrorCode};
}

// Ungrabbing a combination that another client holds leaves that client's grab alone.
void TX11HotKeys::ReleaseGrabs(TRegistration& Entry) {
    for (const TKeyGrab& Taken : Entry.Grabs) {
        xcb_ungrab_key(Connection, Taken.Keycode, Root, Taken.Modifiers);
    }
    Entry.Grabs.clear();
}

// One request for every grab: the server walks its list of grabs once, where a request a grab costs a walk
// each, which for a thousand hotkeys keeps it busy for a tenth of a second. Every key grab of this
// connection on the root is a registration's.
void TX11HotKeys::ReleaseAllGrabs() {
    xcb_ungrab_key(Connection, XCB_GRAB_ANY, Root, XCB_MOD_MASK_ANY);
    LateGrabs.ForgetUnsent();
    for (auto& [Id, Entry] : Registrations) {
        Entry.Grabs.clear();
    }
}

// A round trip: when it returns, the server has carried out every request sent before, so another client
// can take a combination given back at once.
void TX11HotKeys::Sync() {
    TXcbReply<xcb_get_input_focus_reply_t> Reply(
        xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr));
}

const std::uint16_t* TX11HotKeys::Match(xcb_keycode_t Keycode, std::uint16_t State) const {
    const auto Modifiers = static_cast<std::uint16_t>(State & KeyModifierBits & ~LockBits());
    const auto Holder = KeyHolders.find(KeyOf(Keycode, Modifiers));
    if (Holder == KeyHolders.end() || Registrations.at(Holder->second).Grabs.empty()) {
        return nullptr;
    }
    return &Holder->second;
}

std::uint32_t TX11HotKeys::KeyOf(xcb_keycode_t Keycode, std::uint16_t Modifiers) {
    return (std::uint32_t{Keycode} << 16) | Modifiers;
}

// Every registration's keys by keycode and modifiers: a press, or a check whether this program holds a
// combination already, costs the same whatever the number of hotkeys.
void TX11HotKeys::IndexKeys(std::uint16_t Id, const TRegistration& Entry) {
    for (xcb_keycode_t Keycode : Entry.Keycodes) {
        KeyHolders.emplace(KeyOf(Keycode, Entry.Modifiers), Id);
    }
}

void TX11HotKeys::UnindexKeys(std::uint16_t Id, const TRegistration& Entry) {
    for (xcb_keycode_t Keycode : Entry.Keycodes) {
        const auto Holder = KeyHolders.find(KeyOf(Keycode, Entry.Modifiers));
        if (Holder != KeyHolders.end() && Holder->second == Id) {
            KeyHolders.erase(Holder);
        }
    }
}

// Without detectable auto-repeat a held key sends release and press pairs with one time stamp once it has
// been down for the repeat delay; with it, only further presses while the key is down. Either way such a
// press is not a new one.
bool TX11HotKeys::IsRepeat(const TKeyState& State, xcb_timestamp_t Time) const {
    if (State.Released) {
        return State.Release == Time && Time - State.HeldSince >= ShortestRepeatDelayMs;
    }
    return State.Down && Time - State.LastPress <= RepeatWindowMs;
}

void TX11HotKeys::OnKeyPress(const xcb_key_press_event_t& Event) {
    TKeyState& State = Keys[Event.detail];
    const bool Repeat = IsRepeat(State, Event.time);
    State.Down = true;
    State.Released = false;
    State.LastPress = Event.time;
    if (Repeat) {
        return;
    }
    State.HeldSince = Event.time;
    if (const std::uint16_t* Id = Match(Event.detail, Event.state)) {
        LastFired = Event.time;
        const std::uint16_t Fired = *Id;
        // Posted, as the press message is on Windows: the handlers run as an ordinary event, where the
        // application's error handler catches what they throw and where a dialog they open may nest its
        // own loop, not inside the native event filter.
        QMetaObject::invokeMethod(
            this, [this, Fired] { Deliver(Fired); }, Qt::QueuedConnection);
    }
}

void TX11HotKeys::Deliver(std::uint16_t Id) {
    emit HotKeyPressed(Id);
    if (Handler) {
        Handler(Id);
    }
}

bool TX11HotKeys::OnKeyRelease(const xcb_key_release_event_t& Event) {
    auto Found = Keys.find(Event.detail);
    if (Found == Keys.end()) {
        return false;
    }
    Found->second.Released = true;
    Found->second.Release = Event.time;
    return true;
}

void TX11HotKeys::Regrab() {
    ReleaseAllGrabs();
    Keyboard = std::make_unique<TX11KeyboardMap>(Connection);
    Keys.clear();
    // A combination that the new layout cannot type, or that another client took meanwhile (Refuse), stays
    // registered without grabs and comes back with a later mapping change.
    const std::uint16_t Now = CurrentLocks();
    std::vector<std::pair<std::uint16_t, std::vector<xcb_void_cookie_t>>> Sent;
    KeyHolders.clear();
    for (auto& [Id, Entry] : Registrations) {
        Entry.Keycodes = Keyboard->KeycodesForVirtualKey(Entry.VirtualKey);
        Entry.Round = NextRound++;
        IndexKeys(Id, Entry);
        if (!Entry.Keycodes.empty()) {
            Sent.emplace_back(Id, SendGrabs(Entry, {&Now, 1}));
        }
    }
    std::vector<std::uint16_t> Withdrawn;
    for (auto& [Id, Cookies] : Sent) {
        const auto Entry = Registrations.find(Id);
        if (GrabsTaken(Entry->second, Cookies)) {
            QueueLateGrabs(Id, Entry->second, Now);
        } else {
            Refuse(Entry, Withdrawn);
        }
    }
    Withdraw(std::move(Withdrawn));
    LateGrabs.Send();
    xcb_flush(Connection);
}

bool TX11HotKeys::nativeEventFilter(const QByteArray& EventType, void* Message, qintptr*) {
    const xcb_generic_event_t* Event = XcbEventOf(EventType, Message);
    if (Event == nullptr) {
        return false;
    }
    const std::uint8_t Type = XcbEventKind(*Event);
    if (Type == XCB_KEY_PRESS) {
        const auto* Press = reinterpret_cast<const xcb_key_press_event_t*>(Event);
        if (Press->event != Root) {
            return false;
        }
        OnKeyPress(*Press);
        return true;
    }
    if (Type == XCB_KEY_RELEASE) {
        const auto* Release = reinterpret_cast<const xcb_key_release_event_t*>(Event);
        return Release->event == Root && OnKeyRelease(*Release);
    }
    if (Type == XCB_MAPPING_NOTIFY) {
        const auto* Mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(Event);
        if (Mapping->request != XCB_MAPPING_POINTER) {
            Regrab();
        }
    } else if (XkbFirstEvent != 0 && Type == XkbFirstEvent) {
        const std::uint8_t XkbType = Event->pad0;
        if (XkbType == XkbNewKeyboardNotify || XkbType == XkbMapNotify) {
            Regrab();
        }
    }
    return false;
}

}  // namespace tulma
