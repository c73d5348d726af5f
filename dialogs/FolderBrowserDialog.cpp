#include "FolderBrowserDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "FormControls.h"
#include "PathText.h"

namespace tulma {
namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int FilledRole = Qt::UserRole + 1;

constexpr int ClientWidth = 330;
constexpr int ClientHeight = 305;
constexpr int ButtonTop = 270;
constexpr int ButtonHeight = 23;

QTreeWidgetItem* NewFolderItem(const QString& Name, const QString& Path) {
    auto* Item = new QTreeWidgetItem(QStringList{Name});
    Item->setData(0, PathRole, Path);
    Item->setChildIndicatorPolicy(Path.isEmpty() ? QTreeWidgetItem::DontShowIndicator
                                                 : QTreeWidgetItem::ShowIndicator);
    return Item;
}

QString ChildPath(const QString& Parent, const QString& Name) {
    return Parent.endsWith(u'/') ? Parent + Name : Parent + u'/' + Name;
}

}  // namespace

TFolderBrowserDialog::TFolderBrowserDialog(QWidget* Owner, const std::vector<TFolderItem>& Roots,
                                           const QString& Title, bool StatusText)
    : QDialog(Owner) {
    setWindowTitle("Browse for Folder");
    setFixedSize(ClientWidth, ClientHeight);

    auto* TitleLabel = new QLabel(Title, this);
    TitleLabel->setObjectName("Title");
    TitleLabel->setGeometry(12, 8, ClientWidth - 24, 18);
    FStatus = new QLabel(this);
    FStatus->setObjectName("Status");
    FStatus->setGeometry(12, 28, ClientWidth - 24, 18);
    FStatus->setVisible(StatusText);

    FTree = new QTreeWidget(this);
    FTree->setObjectName("Folders");
    FTree->setHeaderHidden(true);
    FTree->setGeometry(12, 50, ClientWidth - 24, ButtonTop - 50 - 10);
    for (const TFolderItem& Root : Roots) {
        FTree->addTopLevelItem(NewFolderItem(PathToQString(Root.DisplayName), PathToQString(Root.Path)));
    }
    connect(FTree, &QTreeWidget::itemExpanded, this, &TFolderBrowserDialog::FillChildren);
    connect(FTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* Current) { emit SelectionChanged(ItemOf(Current)); });
    // A lone root opens at once; of several, each shows its own folders when opened.
    if (Roots.size() == 1) {
        FTree->topLevelItem(0)->setExpanded(true);
    }

    FOK = PlaceButton(this, "OK", "OK", {ClientWidth - 12 - 75 - 8 - 75, ButtonTop, 75, ButtonHeight});
    FOK->setDefault(true);
    auto* Cancel =
        PlaceButton(this, "Cancel", "Cancel", {ClientWidth - 12 - 75, ButtonTop, 75, ButtonHeight});

    FButtons = new QButtonGroup(this);
    FButtons->setExclusive(false);
    FButtons->addButton(FOK, OkID);
    FButtons->addButton(Cancel, CancelID);
    connect(FButtons, &QButtonGroup::idClicked, this, &TFolderBrowserDialog::ProcessCommand);
}

// Taking the tree down may change its current item; that is nobody's selection.
TFolderBrowserDialog::~TFolderBrowserDialog() {
    FTree->blockSignals(true);
}

void TFolderBrowserDialog::SetStatusText(const QString& Text) {
    FStatus->setText(Text);
}

void TFolderBrowserDialog::EnableOK(bool Enable) {
    FOK->setEnabled(Enable);
}

QTreeWidgetItem* TFolderBrowserDialog::RootAbove(const QString& Path) const {
    QTreeWidgetItem* Nearest = nullptr;
    qsizetype NearestLength = -1;
    for (int I = 0; I < FTree->topLevelItemCount(); ++I) {
        QTreeWidgetItem* Root = FTree->topLevelItem(I);
        const QString RootPath = Root->data(0, PathRole).toString();
        const bool Above =
            !RootPath.isEmpty() && (Path == RootPath || Path.startsWith(ChildPath(RootPath, {})));
        if (Above && RootPath.size() > NearestLength) {
            Nearest = Root;
            NearestLength = RootPath.size();
        }
    }
    return Nearest;
}

bool TFolderBrowserDialog::SetSelection(const std::string& Path) {
    const QString Wanted = QDir::cleanPath(PathToQString(Path));
    QTreeWidgetItem* Item = RootAbove(Wanted);
    if (Item == nullptr) {
        return false;
    }
    const QString RootPath = Item->data(0, PathRole).toString();
    const QStringList Names = Wanted.mid(RootPath.size()).split(u'/', Qt::SkipEmptyParts);
    for (const QString& Name : Names) {
        Item->setExpanded(true);
        Item = ChildNamed(Item, Name);
    }
    FTree->setCurrentItem(Item);
    FTree->scrollToItem(Item);
    return true;
}

void TFolderBrowserDialog::SelectRoot() {
    FTree->setCurrentItem(FTree->topLevelItem(0));
}

bool TFolderBrowserDialog::HasSelection() const {
    return FTree->currentItem() != nullptr;
}

TFolderItem TFolderBrowserDialog::SelectedItem() const {
    return ItemOf(FTree->currentItem());
}

QAbstractButton* TFolderBrowserDialog::CreateCustomButton(const QString& Caption, int Width, bool CheckBox) {
    QAbstractButton* Button = CheckBox ? static_cast<QAbstractButton*>(new QCheckBox(Caption, this))
                                       : new QPushButton(Caption, this);
    Button->setObjectName("CustomButton");
    Button->setGeometry(12, ButtonTop, Width, ButtonHeight);
    Button->setFocusPolicy(Qt::TabFocus);
    FButtons->addButton(Button, CustomButtonID);
    Button->show();
    return Button;
}

void TFolderBrowserDialog::ProcessCommand(int ID) {
    if (FCommandFilter && FCommandFilter(ID)) {
        return;
    }
    if (ID == OkID) {
        accept();
    } else if (ID == CancelID) {
        reject();
    }
}

void TFolderBrowserDialog::FillChildren(QTreeWidgetItem* Item) {
    if (Item->data(0, FilledRole).toBool()) {
        return;
    }
    Item->setData(0, FilledRole, true);
    const QString Path = Item->data(0, PathRole).toString();
    if (Path.isEmpty()) {
        return;
    }
    const QStringList Names =
        QDir(Path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& Name : Names) {
        Item->addChild(NewFolderItem(Name, ChildPath(Path, Name)));
    }
    if (Names.isEmpty()) {
        Item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    }
}

// Hidden folders are not listed, but one asked for by name gets its place in the tree.
QTreeWidgetItem* TFolderBrowserDialog::ChildNamed(QTreeWidgetItem* Parent, const QString& Name) {
    for (int I = 0; I < Parent->childCount(); ++I) {
        if (Parent->child(I)->text(0) == Name) {
            return Parent->child(I);
        }
    }
    auto* Child = NewFolderItem(Name, ChildPath(Parent->data(0, PathRole).toString(), Name));
    Parent->addChild(Child);
    return Child;
}

TFolderItem TFolderBrowserDialog::ItemOf(const QTreeWidgetItem* Item) {
    if (Item == nullptr) {
        return {};
    }
    return {PathFromQString(Item->text(0)), PathFromQString(Item->data(0, PathRole).toString())};
}

}  // namespace tulma
