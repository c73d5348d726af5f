#pragma once

#include <QApplication>
#include <QDir>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "TempDir.h"

namespace tulma::test {

// Catalogue with the messages the dialogs show: 8 nothing selected, 9 delete? (Yes/No), 10 required.
void InstallDialogMessages();

// Runs Action on the next modal dialog of type T as soon as it is shown, from inside its modal loop.
template <class T>
void WhenModal(std::function<void(T&)> Action) {
    auto* Poll = new QTimer(qApp);
    Poll->setInterval(5);
    QObject::connect(Poll, &QTimer::timeout, [Poll, Action] {
        auto* Dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (Dialog != nullptr && Dialog->isVisible()) {
            Poll->stop();
            Poll->deleteLater();
            Action(*Dialog);
        }
    });
    Poll->start();
}

// The named child of Parent; fails the test when there is none.
template <class T>
T* Child(const QObject& Parent, const char* Name) {
    T* Found = Parent.findChild<T*>(Name);
    if (Found == nullptr) {
        qFatal("no child %s", Name);
    }
    return Found;
}

// A temporary folder's path, and the path of Name in it, as Qt spells them.
inline QString QtPath(const TempDir& Dir) {
    return QString::fromStdString(Dir.Path().string());
}
inline QString QtFile(const TempDir& Dir, const QString& Name) {
    return QDir(QtPath(Dir)).filePath(Name);
}

}  // namespace tulma::test
