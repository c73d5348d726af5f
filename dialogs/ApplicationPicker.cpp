#include "ApplicationPicker.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "DesktopEntry.h"
#include "PathText.h"
#include "QtText.h"

namespace tulma {
namespace {

constexpr int EntryRole = Qt::UserRole;

QIcon EntryIcon(const std::string& Icon) {
    const QString Name = PathToQString(Icon);
    if (Name.startsWith(u'/')) {
        return QIcon(Name);
    }
    return QIcon::fromTheme(Name, QIcon::fromTheme(QStringLiteral("application-x-executable")));
}

// What the search looks at: name, description and keywords, and the desktop id.
QString SearchText(const TDesktopEntry& Entry) {
    return ToQString(Entry.Name() + '\n' + Entry.Description() + '\n' + Entry.Id());
}

bool MovesTheList(int Key) {
    return Key == Qt::Key_Up || Key == Qt::Key_Down || Key == Qt::Key_PageUp || Key == Qt::Key_PageDown;
}

}  // namespace

TFormApplicationPicker::TFormApplicationPicker(QWidget* Owner, bool OfferRunOrRaise)
    : QDialog(Owner), FEntries(InstalledApplications()) {
    setWindowTitle(QStringLiteral("Choose an application"));
    resize(360, 420);
    TxtSearch = new QLineEdit(this);
    TxtSearch->setObjectName("TxtSearch");
    TxtSearch->setPlaceholderText(QStringLiteral("Search by name or purpose"));
    TxtSearch->setClearButtonEnabled(true);
    TxtSearch->installEventFilter(this);
    auto* Label = new QLabel(QStringLiteral("&Applications:"), this);
    Label->setBuddy(TxtSearch);
    LBApplications = new QListWidget(this);
    LBApplications->setObjectName("LBApplications");
    LBApplications->setIconSize({24, 24});
    LBApplications->setUniformItemSizes(true);
    CBRunOrRaise = new QCheckBox(QStringLiteral("&Bring its window back when it is already open"), this);
    CBRunOrRaise->setObjectName("CBRunOrRaise");
    CBRunOrRaise->setEnabled(OfferRunOrRaise);
    CBRunOrRaise->setToolTip(
        QStringLiteral("Fills the window text with class: and the application's window "
                       "class, so that the hotkey raises a running window of it"));
    auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    BtnOK = Buttons->button(QDialogButtonBox::Ok);
    BtnOK->setObjectName("BtnOK");

    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(Label);
    Layout->addWidget(TxtSearch);
    Layout->addWidget(LBApplications);
    Layout->addWidget(CBRunOrRaise);
    Layout->addWidget(Buttons);

    connect(TxtSearch, &QLineEdit::textChanged, this, &TFormApplicationPicker::TxtSearchChange);
    connect(LBApplications, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(LBApplications, &QListWidget::currentRowChanged, this,
            [this](int Row) { BtnOK->setEnabled(Row >= 0); });
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FillList();
    TxtSearch->setFocus(Qt::OtherFocusReason);
}

TFormApplicationPicker::~TFormApplicationPicker() = default;

void TFormApplicationPicker::FillList() {
    for (std::size_t I = 0; I < FEntries.size(); ++I) {
        const TDesktopEntry& Entry = *FEntries[I];
        auto* Item = new QListWidgetItem(EntryIcon(Entry.Icon()), ToQString(Entry.Name()), LBApplications);
        Item->setData(EntryRole, static_cast<int>(I));
        Item->setToolTip(PathToQString(Entry.FileName()));
    }
    LBApplications->setCurrentRow(FEntries.empty() ? -1 : 0);
    BtnOK->setEnabled(!FEntries.empty());
}

// The first match is chosen, so that Return takes it.
void TFormApplicationPicker::TxtSearchChange(const QString& Text) {
    const QStringList Words = Text.split(u' ', Qt::SkipEmptyParts);
    int First = -1;
    for (int Row = 0; Row < LBApplications->count(); ++Row) {
        QListWidgetItem* Item = LBApplications->item(Row);
        const QString Searched = SearchText(*FEntries[Item->data(EntryRole).toInt()]);
        const bool Matches = std::all_of(Words.begin(), Words.end(), [&](const QString& Word) {
            return Searched.contains(Word, Qt::CaseInsensitive);
        });
        Item->setHidden(!Matches);
        if (Matches && First < 0) {
            First = Row;
        }
    }
    LBApplications->setCurrentRow(First);
}

// Keys that move through the list work from the search field, so the hands stay on the keyboard.
bool TFormApplicationPicker::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == TxtSearch && Event->type() == QEvent::KeyPress &&
        MovesTheList(static_cast<QKeyEvent*>(Event)->key())) {
        QApplication::sendEvent(LBApplications, Event);
        return true;
    }
    return QDialog::eventFilter(Watched, Event);
}

const TDesktopEntry* TFormApplicationPicker::Chosen() const {
    const QListWidgetItem* Item = LBApplications->currentItem();
    return result() == Accepted && Item != nullptr && !Item->isHidden()
               ? FEntries[Item->data(EntryRole).toInt()].get()
               : nullptr;
}

std::string TFormApplicationPicker::ChosenFile() const {
    const TDesktopEntry* Entry = Chosen();
    return Entry != nullptr ? Entry->FileName() : std::string();
}

std::string TFormApplicationPicker::ChosenName() const {
    const TDesktopEntry* Entry = Chosen();
    return Entry != nullptr ? Entry->Name() : std::string();
}

std::string TFormApplicationPicker::ChosenWindowText() const {
    const TDesktopEntry* Entry = Chosen();
    return Entry != nullptr && CBRunOrRaise->isEnabled() && CBRunOrRaise->isChecked()
               ? "class:" + Entry->WindowClass()
               : std::string();
}

}  // namespace tulma
