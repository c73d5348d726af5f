#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tulma {

class TDesktopEntry;

// Picks an installed application from the list a desktop's menu shows: icons and names, the user's own
// entries first, narrowed by a search over names, descriptions and keywords. The keyboard does it all:
// type to search, Up and Down to choose, Return to take it.
class TFormApplicationPicker : public QDialog {
    Q_OBJECT

  public:
    // OfferRunOrRaise: whether the command may still get a window text, which the check box then asks for.
    TFormApplicationPicker(QWidget* Owner, bool OfferRunOrRaise);
    ~TFormApplicationPicker() override;

    // The chosen entry's file and name; empty before OK.
    std::string ChosenFile() const;
    std::string ChosenName() const;
    // "class:" and the chosen entry's window class, when the user asked for run-or-raise; else empty.
    std::string ChosenWindowText() const;

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    std::vector<std::unique_ptr<TDesktopEntry>> FEntries;
    QLineEdit* TxtSearch;
    QListWidget* LBApplications;
    QCheckBox* CBRunOrRaise;
    QPushButton* BtnOK;

    void FillList();
    void TxtSearchChange(const QString& Text);
    const TDesktopEntry* Chosen() const;
};

}  // namespace tulma
