#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace tulma {

class THotKeyActivation;
class THotTulma;
class TIDList;

// Whether the hotkey's combination has a key that can be pressed: one without is meant for the tray menu.
bool HasPressableKey(const THotTulma& HotKey);

// Why the hotkey's combination was refused, as the tooltip of its line says it. Reason: the window
// system's own words, when it gives them (sway: the user's configuration binds it); Holder: the other
// hotkey of the list that holds the combination, null when another program does.
QString RefusalText(const THotTulma& HotKey, const std::string& Reason, const THotTulma* Holder);
// The tooltip of a line whose combination the desktop replaced: Assigned is the desktop's choice, empty when
// it assigned none.
QString AssignmentText(const std::string& Assigned);
// Why a line is marked (RefusalText or AssignmentText); empty when unmarked.
QString RegistrationNote(const THotTulma& HotKey, const THotKeyActivation& Activation);

// The news of hotkeys refused at start-up, told once.
struct TRefusalNews {
    QString Summary;
    QString Body;
};
// One line of that news: the hotkey, its combination and who holds it (Holder as for RefusalText).
QString RefusalLine(const THotTulma& HotKey, const THotTulma* Holder);
// The news for the lines of RefusalLine, naming the first few (the list's marks tell the rest); nothing
// when there are none.
std::optional<TRefusalNews> RefusalNews(QStringList Lines);
// The news of the list's hotkeys that were refused and have a key: those without one are meant for the
// tray menu.
std::optional<TRefusalNews> RefusedHotKeysNews(const TIDList& List, const THotKeyActivation& Activation);

}  // namespace tulma
