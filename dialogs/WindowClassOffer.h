#pragma once

#include <QObject>

#include <string>

class QAction;
class QLineEdit;
class QStringListModel;

namespace tulma {

// Says what a command's window text can hold, and offers "class:" with the window class of the
// application that the command's file names as a desktop entry while the window text is empty: in the
// field's placeholder, as a button at its end and as the completion of what is typed. So the hotkey that
// starts the application is the one that brings its window back.
class TWindowClassOffer : public QObject {
    Q_OBJECT

  public:
    TWindowClassOffer(QLineEdit* File, QLineEdit* Directory, QLineEdit* WindowText);

    // The offered window text; empty when the file names no application.
    const std::string& Offer() const { return FOffer; }

  private:
    QLineEdit* FFile;
    QLineEdit* FDirectory;
    QLineEdit* FWindowText;
    QAction* FUse;
    QStringListModel* FCompletions;
    std::string FOffer;

    void Update();
};

}  // namespace tulma
