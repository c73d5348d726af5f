#include "HandOverHotKeys.h"

namespace tulma {

std::vector<std::uint16_t> THandOverHotKeys::HandOver(IHotKeyRegistry& Next) {
    Current->SetPressHandler({});
    Current->SetAssignmentHandler({});
    Current->SetWithdrawalHandler({});
    Current = &Next;
    Next.SetPressHandler(Pressed);
    Next.SetAssignmentHandler(AssignmentChanged);
    Next.SetWithdrawalHandler(Forgetting());
    std::vector<THotKeyRegistration> Registrations;
    for (const auto& [Id, Registration] : Held) {
        if (const auto Name = Names.find(Id); Name != Names.end()) {
            Next.NameHotKey(Id, Name->second.first, Name->second.second);
        }
        Registrations.push_back(Registration);
    }
    const std::vector<bool> Registered = Next.RegisterHotKeys(Registrations);
    std::vector<std::uint16_t> Refused;
    for (std::size_t I = 0; I < Registrations.size(); ++I) {
        if (!Registered[I]) {
            Refused.push_back(Registrations[I].Id);
            Held.erase(Registrations[I].Id);
        }
    }
    if (AssignmentChanged) {
        AssignmentChanged();
    }
    return Refused;
}

bool THandOverHotKeys::RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) {
    const bool Registered = Current->RegisterHotKey(Id, Modifiers, VirtualKey);
    if (Registered) {
        Held[Id] = {Id, Modifiers, VirtualKey};
    }
    return Registered;
}

std::vector<bool> THandOverHotKeys::RegisterHotKeys(std::span<const THotKeyRegistration> Registrations) {
    std::vector<bool> Registered = Current->RegisterHotKeys(Registrations);
    for (std::size_t I = 0; I < Registrations.size(); ++I) {
        if (Registered[I]) {
            Held[Registrations[I].Id] = Registrations[I];
        }
    }
    return Registered;
}

void THandOverHotKeys::UnregisterHotKey(std::uint16_t Id) {
    Current->UnregisterHotKey(Id);
    Held.erase(Id);
    Names.erase(Id);
}

void THandOverHotKeys::UnregisterHotKeys(std::span<const std::uint16_t> Ids) {
    Current->UnregisterHotKeys(Ids);
    for (const std::uint16_t Id : Ids) {
        Held.erase(Id);
        Names.erase(Id);
    }
}

void THandOverHotKeys::SetPressHandler(TPressHandler Handler) {
    Pressed = Handler;
    Current->SetPressHandler(std::move(Handler));
}

void THandOverHotKeys::NameHotKey(std::uint16_t Id, const std::string& Key, const std::string& Description) {
    Names[Id] = {Key, Description};
    Current->NameHotKey(Id, Key, Description);
}

std::optional<std::string> THandOverHotKeys::AssignedCombination(std::uint16_t Id) const {
    return Current->AssignedCombination(Id);
}

std::string THandOverHotKeys::RefusalReason(std::uint16_t Id) const {
    return Current->RefusalReason(Id);
}

void THandOverHotKeys::SetAssignmentHandler(std::function<void()> Handler) {
    AssignmentChanged = Handler;
    Current->SetAssignmentHandler(std::move(Handler));
}

void THandOverHotKeys::SetWithdrawalHandler(TWithdrawalHandler Handler) {
    Withdrawn = std::move(Handler);
    Current->SetWithdrawalHandler(Forgetting());
}

IHotKeyRegistry::TWithdrawalHandler THandOverHotKeys::Forgetting() {
    return [this](const std::vector<std::uint16_t>& Ids) {
        for (const std::uint16_t Id : Ids) {
            Held.erase(Id);
        }
        if (Withdrawn) {
            Withdrawn(Ids);
        }
    };
}

}  // namespace tulma
