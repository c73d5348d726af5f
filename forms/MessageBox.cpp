#include "MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "MessageBoxFunction.h"
#include "MessageBoxScript.h"
#include "QtText.h"

namespace tulma {
namespace {

// Each button carries its Windows result, so that the pressed button answers for itself.
constexpr const char* ResultProperty = "windowsResult";

QMessageBox::Icon IconOf(int32_t Style) {
    switch (Style & MessageBoxStyle::IconMask) {
        case MessageBoxStyle::IconStop:
            return QMessageBox::Critical;
        case MessageBoxStyle::IconQuestion:
            return QMessageBox::Question;
        case MessageBoxStyle::IconExclamation:
            return QMessageBox::Warning;
        case MessageBoxStyle::IconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QAbstractButton* AddButton(QMessageBox& Box, int32_t Result) {
    QAbstractButton* Button = nullptr;
    switch (Result) {
        case MessageBoxResult::Ok:
            Button = Box.addButton(QMessageBox::Ok);
            break;
        case MessageBoxResult::Cancel:
            Button = Box.addButton(QMessageBox::Cancel);
            break;
        case MessageBoxResult::Abort:
            Button = Box.addButton(QMessageBox::Abort);
            break;
        case MessageBoxResult::Retry:
            Button = Box.addButton(QMessageBox::Retry);
            break;
        case MessageBoxResult::Ignore:
            Button = Box.addButton(QMessageBox::Ignore);
            break;
        case MessageBoxResult::Yes:
            Button = Box.addButton(QMessageBox::Yes);
            break;
        case MessageBoxResult::No:
            Button = Box.addButton(QMessageBox::No);
            break;
        case MessageBoxResult::TryAgain:
            Button = Box.addButton(QMessageBox::tr("&Try Again"), QMessageBox::AcceptRole);
            break;
        case MessageBoxResult::Continue:
        default:
            Button = Box.addButton(QMessageBox::tr("&Continue"), QMessageBox::AcceptRole);
            break;
    }
    Button->setProperty(ResultProperty, Result);
    return Button;
}

}  // namespace

int32_t TMessageBox::Show(const std::string& Text, const std::string& Caption, int32_t Style) {
    if (TMessageBoxScript* Script = TMessageBoxScript::Active()) {
        return Script->Answer(Text, Caption, Style);
    }
    QWidget* Owner = QApplication::activeModalWidget();
    if (Owner == nullptr) {
        Owner = QApplication::activeWindow();
    }
    const auto Box = Build(Text, Caption, Style, Owner);
    Box->exec();
    return ResultOf(*Box);
}

void TMessageBox::Install() {
    SetMessageBoxFunction(&TMessageBox::Show);
}

std::vector<int32_t> TMessageBox::ButtonResults(int32_t Style) {
    using namespace MessageBoxResult;
    switch (Style & MessageBoxStyle::ButtonMask) {
        case MessageBoxStyle::OkCancel:
            return {Ok, Cancel};
        case MessageBoxStyle::AbortRetryIgnore:
            return {Abort, Retry, Ignore};
        case MessageBoxStyle::YesNoCancel:
            return {Yes, No, Cancel};
        case MessageBoxStyle::YesNo:
            return {Yes, No};
        case MessageBoxStyle::RetryCancel:
            return {Retry, Cancel};
        case MessageBoxStyle::CancelTryContinue:
            return {Cancel, TryAgain, Continue};
        default:
            return {Ok};
    }
}

int32_t TMessageBox::DefaultResult(int32_t Style) {
    const auto Buttons = ButtonResults(Style);
    const auto Index = static_cast<size_t>((Style & MessageBoxStyle::DefaultButtonMask) >>
                                           MessageBoxStyle::DefaultButtonShift);
    return Index < Buttons.size() ? Buttons[Index] : Buttons.front();
}

std::unique_ptr<QMessageBox> TMessageBox::Build(const std::string& Text, const std::string& Caption,
                                                int32_t Style, QWidget* Owner) {
    auto Box = std::make_unique<QMessageBox>(Owner);
    Box->setWindowModality(Qt::ApplicationModal);
    Box->setWindowTitle(ToQString(Caption));
    Box->setText(ToQString(Text));
    Box->setTextFormat(Qt::PlainText);
    Box->setIcon(IconOf(Style));
    const int32_t Default = DefaultResult(Style);
    const auto Buttons = ButtonResults(Style);
    for (const int32_t Result : Buttons) {
        QAbstractButton* Button = AddButton(*Box, Result);
        if (Result == Default) {
            Box->setDefaultButton(qobject_cast<QPushButton*>(Button));
        }
        // As on Windows, Escape and the close box mean Cancel, or OK in a box that offers only OK.
        if (Result == MessageBoxResult::Cancel || Buttons.size() == 1) {
            Box->setEscapeButton(Button);
        }
    }
    return Box;
}

int32_t TMessageBox::ResultOf(const QMessageBox& Box) {
    const QAbstractButton* Button = Box.clickedButton();
    return Button == nullptr ? MessageBoxResult::Cancel : Button->property(ResultProperty).toInt();
}

}  // namespace tulma
