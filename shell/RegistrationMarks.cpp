#include "RegistrationMarks.h"

#include "HotKeyActivation.h"
#include "HotTulma.h"
#include "IDList.h"
#include "KeyComboText.h"
#include "QtText.h"

namespace tulma {
namespace {

// How many refused hotkeys the start-up notice names.
constexpr qsizetype MaxRefusedNamed = 5;

}  // namespace

bool HasPressableKey(const THotTulma& HotKey) {
    const TModifiersAndKey Wanted = ModifiersAndKeyOf(HotKey.HotKey);
    return Wanted.VirtualKey != 0 && Wanted.VirtualKey <= 0xFF;
}

QString RefusalText(const THotTulma& HotKey, const std::string& Reason, const THotTulma* Holder) {
    if (!HasPressableKey(HotKey)) {
        return "This hotkey has no key combination that can be pressed. Its tray menu item runs it.";
    }
    if (!Reason.empty()) {
        return "This key combination is refused: " + ToQString(Reason) +
               ". Pressing it does not run the hotkey; its tray menu item still does.";
    }
    if (Holder != nullptr) {
        return "This key combination is used by " + ToQString(Holder->Name) +
               ": pressing it runs that hotkey. This one's tray menu item still runs it.";
    }
    return "This key combination is taken by another program: pressing it does not run the hotkey. Its "
           "tray menu item still does.";
}

QString AssignmentText(const std::string& Assigned) {
    return Assigned.empty() ? QString("not assigned by the desktop")
                            : "the desktop assigned " + QString::fromStdString(Assigned);
}

QString RegistrationNote(const THotTulma& HotKey, const THotKeyActivation& Activation) {
    if (Activation.IsRefused(HotKey.ID)) {
        return RefusalText(HotKey, Activation.RefusalReason(HotKey), Activation.HolderOf(HotKey));
    }
    const auto Assigned = Activation.AssignedCombination(HotKey);
    return Assigned ? AssignmentText(*Assigned) : QString();
}

QString RefusalLine(const THotTulma& HotKey, const THotTulma* Holder) {
    return ToQString(HotKey.Name) + " (" + ToQString(KeyComboText(HotKey.HotKey)) +
           "): " + (Holder != nullptr ? "used by " + ToQString(Holder->Name) : "taken by another program");
}

std::optional<TRefusalNews> RefusalNews(QStringList Lines) {
    if (Lines.isEmpty()) {
        return std::nullopt;
    }
    const QString Summary = Lines.size() == 1 ? "A hotkey cannot be pressed"
                                              : QString::number(Lines.size()) + " hotkeys cannot be pressed";
    // A file full of taken combinations names a few: the list's marks tell the rest, and a notice of
    // hundreds of lines would only bury the window under its text.
    if (const qsizetype Unnamed = Lines.size() - MaxRefusedNamed; Unnamed > 0) {
        Lines.resize(MaxRefusedNamed);
        Lines << "and " + QString::number(Unnamed) + " more, marked in the list";
    }
    return TRefusalNews{Summary, Lines.join('\n') + "\nThe tray menu still runs them."};
}

std::optional<TRefusalNews> RefusedHotKeysNews(const TIDList& List, const THotKeyActivation& Activation) {
    QStringList Lines;
    for (int32_t I = 0; I < List.Count(); ++I) {
        const auto& HotKey = List.ItemAs<THotTulma>(I);
        if (Activation.IsRefused(HotKey.ID) && HasPressableKey(HotKey)) {
            Lines << RefusalLine(HotKey, Activation.HolderOf(HotKey));
        }
    }
    return RefusalNews(Lines);
}

}  // namespace tulma
