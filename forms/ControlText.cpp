#include "ControlText.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>
#include <optional>

#include "QtText.h"

namespace tulma {
namespace {

// What SetControlText showed and the bytes behind it.
constexpr const char* ShownProperty = "tulmaShownText";
constexpr const char* BytesProperty = "tulmaTextBytes";

// The shown text, or none for a control without text.
std::optional<QString> ShownText(const QWidget* Control) {
    if (const auto* Label = qobject_cast<const QLabel*>(Control)) {
        return Label->text();
    }
    if (const auto* Edit = qobject_cast<const QLineEdit*>(Control)) {
        return Edit->text();
    }
    if (const auto* Memo = qobject_cast<const QPlainTextEdit*>(Control)) {
        return Memo->toPlainText();
    }
    if (const auto* Memo = qobject_cast<const QTextEdit*>(Control)) {
        return Memo->toPlainText();
    }
    if (const auto* Combo = qobject_cast<const QComboBox*>(Control)) {
        return Combo->currentText();
    }
    if (const auto* Panel = qobject_cast<const QGroupBox*>(Control)) {
        return Panel->title();
    }
    return std::nullopt;
}

bool Show(QWidget* Control, const QString& Text) {
    if (auto* Label = qobject_cast<QLabel*>(Control)) {
        Label->setText(Text);
    } else if (auto* Edit = qobject_cast<QLineEdit*>(Control)) {
        Edit->setText(Text);
    } else if (auto* Memo = qobject_cast<QPlainTextEdit*>(Control)) {
        Memo->setPlainText(Text);
    } else if (auto* Memo = qobject_cast<QTextEdit*>(Control)) {
        Memo->setPlainText(Text);
    } else if (auto* Combo = qobject_cast<QComboBox*>(Control)) {
        Combo->setCurrentText(Text);
    } else if (auto* Panel = qobject_cast<QGroupBox*>(Control)) {
        Panel->setTitle(Text);
    } else {
        return false;
    }
    return true;
}

}  // namespace

void SetControlText(QWidget* Control, const std::string& Bytes) {
    if (Show(Control, ToQString(Bytes))) {
        if (const auto Shown = ShownText(Control)) {
            Control->setProperty(ShownProperty, *Shown);
            Control->setProperty(BytesProperty, QByteArray::fromStdString(Bytes));
        }
    }
}

std::string ControlText(const QWidget* Control) {
    const auto Shown = ShownText(Control);
    if (!Shown) {
        return {};
    }
    const QVariant Original = Control->property(ShownProperty);
    if (Original.isValid() && Original.toString() == *Shown) {
        return Control->property(BytesProperty).toByteArray().toStdString();
    }
    return FromQString(*Shown);
}

}  // namespace tulma
