#include "Application.h"

#include "MessageBox.h"
#include "MessageBoxFunction.h"
#include "QtText.h"

namespace tulma {

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {
    TMessageBox::Install();
}

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
    bool Handled = false;
    RunGuarded([&] { Handled = QApplication::notify(Receiver, Event); });
    return Handled;
}

void TApplication::ShowException(const std::exception& Error) {
    ShowMessageBox(Error.what(), FromQString(QApplication::applicationDisplayName()),
                   MessageBoxStyle::Ok | MessageBoxStyle::IconStop);
}

bool TApplication::RunGuarded(const std::function<void()>& Action) {
    try {
        Action();
        return true;
    } catch (const std::exception& Error) {
        ShowException(Error);
        return false;
    }
}

}  // namespace tulma
