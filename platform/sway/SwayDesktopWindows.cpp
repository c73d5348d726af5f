#include "SwayDesktopWindows.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

#include "PlatformLog.h"
#include "WindowTitle.h"

namespace tulma {
namespace {

// sway nests containers a few levels deep; a tree deeper than this is not one it made.
constexpr int MaxDepth = 64;

TWindowInfo WindowOf(const QJsonObject& Node) {
    TWindowInfo Window{
        .Handle = static_cast<TWindowHandle>(Node.value("id").toInteger()),
        .Title = CutTitle(Node.value("name").toString().toStdString(), IDesktopWindows::MaxTitleBytes),
        .Instance = {},
        .Class = {}};
    if (const QString AppId = Node.value("app_id").toString(); !AppId.isEmpty()) {
        Window.Instance = Window.Class = AppId.toStdString();
    } else {
        const QJsonObject X11 = Node.value("window_properties").toObject();
        Window.Instance = X11.value("instance").toString().toStdString();
        Window.Class = X11.value("class").toString().toStdString();
    }
    return Window;
}

// Children in the order of focus: those named in "focus" first, in its order, then the rest.
std::vector<QJsonObject> ChildrenByFocus(const QJsonObject& Node) {
    std::vector<QJsonObject> Children;
    for (const char* Kind : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& Child : Node.value(Kind).toArray()) {
            Children.push_back(Child.toObject());
        }
    }
    const QJsonArray Focus = Node.value("focus").toArray();
    const auto Rank = [&Focus](const QJsonObject& Child) {
        const auto Found = std::find(Focus.begin(), Focus.end(), Child.value("id"));
        return Found == Focus.end() ? Focus.size() : Found - Focus.begin();
    };
    std::stable_sort(Children.begin(), Children.end(),
                     [&Rank](const QJsonObject& A, const QJsonObject& B) { return Rank(A) < Rank(B); });
    return Children;
}

void Collect(const QJsonObject& Node, int Depth, TWindowSnapshot& Snapshot) {
    if (Depth > MaxDepth) {
        return;
    }
    if (Node.contains("pid") && Node.value("id").isDouble()) {
        Snapshot.Windows.push_back(WindowOf(Node));
        if (Node.value("focused").toBool()) {
            Snapshot.Active = Snapshot.Windows.back().Handle;
        }
    }
    for (const QJsonObject& Child : ChildrenByFocus(Node)) {
        Collect(Child, Depth + 1, Snapshot);
    }
}

}  // namespace

TWindowSnapshot SwayTreeWindows(const QJsonObject& Tree) {
    TWindowSnapshot Snapshot;
    Collect(Tree, 0, Snapshot);
    return Snapshot;
}

TSwayDesktopWindows::TSwayDesktopWindows(const std::string& SocketPath) : Connection(SocketPath) {}

TWindowSnapshot TSwayDesktopWindows::Snapshot() {
    return SwayTreeWindows(Connection.Ask(SwayIpc::GetTree).object());
}

std::vector<TWindowHandle> TSwayDesktopWindows::TopLevelWindows() {
    return HandlesOf(Snapshot());
}

std::string TSwayDesktopWindows::WindowTitle(TWindowHandle Handle) {
    for (const TWindowInfo& Window : Snapshot().Windows) {
        if (Window.Handle == Handle) {
            return Window.Title;
        }
    }
    return {};
}

void TSwayDesktopWindows::RestoreAndActivate(TWindowHandle Window) {
    const QJsonArray Results =
        Connection.Ask(SwayIpc::RunCommand, QByteArray("[con_id=") + QByteArray::number(Window) + "] focus")
            .array();
    if (Results.isEmpty() || !Results.first().toObject().value("success").toBool()) {
        // A window that closed meanwhile matches nothing.
        qCDebug(PlatformLog) << "sway did not focus window" << Window;
    }
}

}  // namespace tulma
