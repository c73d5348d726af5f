#include "WindowMatchesDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "FormControls.h"
#include "FormFont.h"
#include "QtText.h"

namespace tulma {
namespace {

QString ItemText(const TWindowInfo& Window) {
    const QString Title = Window.Title.empty() ? QString("(no title)") : ToQString(Window.Title);
    return Title + "   [" + ToQString(Window.Instance) + "." + ToQString(Window.Class) + "]";
}

QString Heading(const std::string& Text, bool Found) {
    const QString Quoted = "\"" + ToQString(Text) + "\"";
    return Found ? "Windows that " + Quoted + " matches, topmost first:"
                 : "No window matches " + Quoted + ": the program would be started.";
}

}  // namespace

TFormWindowMatches::TFormWindowMatches(QWidget* Owner, const std::string& Text,
                                       const std::vector<TWindowInfo>& Matches)
    : QDialog(Owner) {
    setWindowTitle("Matching windows");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(FormFont("MS Sans Serif", 11));
    const bool Found = !Matches.empty();
    setFixedSize(424, Found ? 184 : 64);

    auto* Label = PlaceLabel(this, Heading(Text, Found), 6, 9);
    Label->setObjectName("LabResult");
    FitLabelText(Label, width() - 12);
    auto* List = PlaceControl<QListWidget>(this, "LBWindows", {6, 30, 412, 120});
    for (const TWindowInfo& Window : Matches) {
        List->addItem(ItemText(Window));
    }
    List->setVisible(Found);
    auto* Close = PlaceButton(this, "BtnOK", "OK", {341, height() - 27, 78, 21});
    Close->setDefault(true);
    connect(Close, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tulma
