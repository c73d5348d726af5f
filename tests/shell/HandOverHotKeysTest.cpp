#include <gtest/gtest.h>

#include "HandOverHotKeys.h"
#include "PlatformFakes.h"

namespace tulma {
namespace {

// A backend that fails later hands every registration in force, with its press handler, to the next;
// what the next refuses is reported and no longer held.
TEST(HandOverHotKeys, RegistrationsInForceAndThePressHandlerMoveToTheNextBackend) {
    test::FakeHotKeyRegistry Portal;
    test::FakeHotKeyRegistry X11;
    X11.Taken.insert({MOD_CONTROL, 'C'});
    THandOverHotKeys Keys(Portal);
    std::vector<std::uint16_t> Pressed;
    Keys.SetPressHandler([&](std::uint16_t Id) { Pressed.push_back(Id); });
    int Reassessed = 0;
    Keys.SetAssignmentHandler([&] { ++Reassessed; });
    const THotKeyRegistration Registrations[] = {{1, MOD_ALT, 'A'}, {2, MOD_ALT, 'B'}, {3, MOD_CONTROL, 'C'}};
    EXPECT_EQ(Keys.RegisterHotKeys(Registrations), (std::vector<bool>{true, true, true}));
    Keys.UnregisterHotKey(2);

    EXPECT_EQ(Keys.HandOver(X11), std::vector<std::uint16_t>{3});
    EXPECT_EQ(X11.Registered.size(), 1u);
    EXPECT_TRUE(X11.Registered.contains(1));
    EXPECT_EQ(Reassessed, 1) << "the marks are looked at again";
    Portal.Press(MOD_ALT, 'A');
    X11.Press(MOD_ALT, 'A');
    EXPECT_EQ(Pressed, std::vector<std::uint16_t>{1}) << "only the new backend's presses count";
    EXPECT_TRUE(Keys.RegisterHotKey(4, MOD_SHIFT, 'D'));
    EXPECT_TRUE(X11.Registered.contains(4));
    Keys.UnregisterHotKey(1);
    EXPECT_FALSE(X11.Registered.contains(1));
}

// A registration the backend withdraws is told to the program and is not moved to the next backend.
TEST(HandOverHotKeys, WithdrawnRegistrationIsToldAndNotHandedOver) {
    test::FakeHotKeyRegistry X11;
    test::FakeHotKeyRegistry Next;
    THandOverHotKeys Keys(X11);
    std::vector<std::uint16_t> Withdrawn;
    Keys.SetWithdrawalHandler([&](const std::vector<std::uint16_t>& Ids) { Withdrawn = Ids; });
    const THotKeyRegistration Registrations[] = {{1, MOD_ALT, 'A'}, {2, MOD_ALT, 'B'}};
    Keys.RegisterHotKeys(Registrations);

    X11.Withdraw(2);
    EXPECT_EQ(Withdrawn, std::vector<std::uint16_t>{2});
    EXPECT_TRUE(Keys.HandOver(Next).empty());
    EXPECT_FALSE(Next.Registered.contains(2));
    Next.Withdraw(1);
    EXPECT_EQ(Withdrawn, std::vector<std::uint16_t>{1}) << "the next backend's withdrawals are told too";
}

}  // namespace
}  // namespace tulma
