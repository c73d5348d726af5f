// The desktop-entry module: desktop entries read and started through GIO.
#include "DesktopEntryModule.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string_view>
#include <tuple>

#include "CommandLine.h"
#include "GLibOwner.h"
#include "LaunchPlan.h"
#include "StartupNotice.h"

extern char** environ;  // NOLINT(readability-identifier-naming): the C library's name

namespace tulma {
namespace {

constexpr std::string_view Extension = ".desktop";
constexpr const char* NoticeKey = "tulma-startup-notice";

template <class TObject>
using TGObjectPtr = TGLibOwner<TObject, g_object_unref>;
using TGText = TGLibOwner<char, g_free>;
using TGErrorPtr = TGLibOwner<GError, g_error_free>;
using TGKeyFilePtr = TGLibOwner<GKeyFile, g_key_file_free>;

std::string Text(const char* Value) {
    return Value != nullptr ? std::string(Value) : std::string();
}

std::string TakeText(char* Value) {
    const TGText Owned(Value);
    return Text(Value);
}

bool Exists(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0;
}

std::string CurrentDirectory() {
    char Buffer[PATH_MAX];
    return getcwd(Buffer, sizeof Buffer) != nullptr ? std::string(Buffer) : std::string();
}

std::string WithoutExtension(std::string Name) {
    if (Name.ends_with(Extension)) {
        Name.resize(Name.size() - Extension.size());
    }
    return Name;
}

std::string BaseName(const std::string& Path) {
    const std::size_t Slash = Path.rfind('/');
    return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

std::string IconOf(GAppInfo* Info) {
    GIcon* Icon = g_app_info_get_icon(Info);
    return Icon != nullptr ? TakeText(g_icon_to_string(Icon)) : std::string();
}

std::string WindowClassOf(GDesktopAppInfo* Info) {
    if (const char* Class = g_desktop_app_info_get_startup_wm_class(Info); Class != nullptr && *Class != 0) {
        return Class;
    }
    const std::string Id = Text(g_app_info_get_id(G_APP_INFO(Info)));
    return WithoutExtension(Id.empty() ? BaseName(Text(g_desktop_app_info_get_filename(Info))) : Id);
}

// The startup notification of GIO's launches goes through the launch context: a context of our own
// hands GIO the startup id that the desktop has been told about.
char* StartupNotifyId(GAppLaunchContext* Context, GAppInfo* Info, GList*) {
    auto* Notice = static_cast<IStartupNotice*>(g_object_get_data(G_OBJECT(Context), NoticeKey));
    if (Notice == nullptr || !G_IS_DESKTOP_APP_INFO(Info)) {
        return nullptr;
    }
    try {
        const std::string Id = Notice->Begin(
            {Text(g_app_info_get_name(Info)), IconOf(Info), Text(g_app_info_get_executable(Info)),
             WindowClassOf(G_DESKTOP_APP_INFO(Info)), Text(g_app_info_get_id(Info))});
        return Id.empty() ? nullptr : g_strdup(Id.c_str());
    } catch (...) {
        return nullptr;  // a start without notification is still a start
    }
}

void LaunchFailed(GAppLaunchContext* Context, const char* Id) {
    auto* Notice = static_cast<IStartupNotice*>(g_object_get_data(G_OBJECT(Context), NoticeKey));
    if (Notice != nullptr && Id != nullptr) {
        try {
            Notice->Cancel(Id);
        } catch (...) {
            // The desktop gives up on the start by itself after a while.
        }
    }
}

void InitLaunchContextClass(gpointer Class, gpointer) {
    auto* ContextClass = static_cast<GAppLaunchContextClass*>(Class);
    ContextClass->get_startup_notify_id = StartupNotifyId;
    ContextClass->launch_failed = LaunchFailed;
}

GType LaunchContextType() {
    static const GType Type = g_type_register_static_simple(
        G_TYPE_APP_LAUNCH_CONTEXT, "TulmaLaunchContext", sizeof(GAppLaunchContextClass),
        InitLaunchContextClass, sizeof(GAppLaunchContext), nullptr, GTypeFlags{});
    return Type;
}

// The context starts from this process's environment: what Environment lacks goes, the rest is set.
TGObjectPtr<GAppLaunchContext> NewLaunchContext(const std::vector<std::string>& Environment,
                                                IStartupNotice* Notice) {
    TGObjectPtr<GAppLaunchContext> Context(G_APP_LAUNCH_CONTEXT(g_object_new(LaunchContextType(), nullptr)));
    g_object_set_data(G_OBJECT(Context.get()), NoticeKey, Notice);
    std::set<std::string> Kept;
    for (const std::string& Entry : Environment) {
        const std::size_t Equals = Entry.find('=');
        Kept.insert(Entry.substr(0, Equals));
        if (Equals != std::string::npos) {
            g_app_launch_context_setenv(Context.get(), Entry.substr(0, Equals).c_str(),
                                        Entry.c_str() + Equals + 1);
        }
    }
    for (char** Entry = environ; *Entry != nullptr; ++Entry) {
        const std::string Name = std::string(*Entry).substr(0, std::string_view(*Entry).find('='));
        if (!Kept.contains(Name)) {
            g_app_launch_context_unsetenv(Context.get(), Name.c_str());
        }
    }
    return Context;
}

// What the started program gets beside GIO's own setting up: a session of its own and signals as a
// new process has them, as every start of ours; the command's directory when the entry names none.
// Runs in the new process before exec, so it only makes async-signal-safe calls.
struct TChildSetup {
    const char* Directory = nullptr;
};

void SetUpChild(gpointer Data) {
    const auto* Setup = static_cast<const TChildSetup*>(Data);
    setsid();
    sigset_t None;
    sigemptyset(&None);
    sigprocmask(SIG_SETMASK, &None, nullptr);
    if (Setup->Directory != nullptr && chdir(Setup->Directory) != 0) {
        _exit(127);
    }
}

void TakePid(GDesktopAppInfo*, GPid Pid, gpointer Data) {
    *static_cast<pid_t*>(Data) = Pid;
}

bool LooksLikeUrl(const std::string& Argument) {
    TGText Scheme(g_uri_parse_scheme(Argument.c_str()));
    return Scheme != nullptr && std::string_view(Scheme.get()).size() >= 2;
}

// The URIs that fill the field codes: URLs as they are, everything else a file.
struct TUriList {
    std::vector<TGText> Texts;
    GList* List = nullptr;
    ~TUriList() { g_list_free(List); }
};

void FillUris(TUriList& Uris, const std::string& Parameters, const std::string& Directory) {
    for (const std::string& Argument : SplitParameters(Parameters)) {
        const std::string Path = InDirectory(Directory, Argument);
        if (LooksLikeUrl(Argument) && !Exists(Path)) {
            Uris.Texts.emplace_back(g_strdup(Argument.c_str()));
        } else {
            TGObjectPtr<GFile> File(g_file_new_for_path(Path.c_str()));
            Uris.Texts.emplace_back(g_file_get_uri(File.get()));
        }
    }
    for (auto It = Uris.Texts.rbegin(); It != Uris.Texts.rend(); ++It) {
        Uris.List = g_list_prepend(Uris.List, It->get());
    }
}

// The program of an Exec line, unquoted by the Desktop Entry format's quoting rules.
std::string FirstWord(const std::string& Exec) {
    gchar** Words = nullptr;
    if (!g_shell_parse_argv(Exec.c_str(), nullptr, &Words, nullptr)) {
        return {};
    }
    const std::string First = Text(Words[0]);
    g_strfreev(Words);
    return First;
}

// Why GIO refuses an entry file: it reads as an application only when it is one and its TryExec and
// Exec programs are there.
std::string WhyUnusable(const std::string& Path) {
    TGKeyFilePtr File(g_key_file_new());
    GError* Error = nullptr;
    if (!g_key_file_load_from_file(File.get(), Path.c_str(), G_KEY_FILE_NONE, &Error)) {
        const TGErrorPtr Owned(Error);
        return "not a readable desktop entry: " + std::string(Error->message);
    }
    const std::string Type = TakeText(
        g_key_file_get_string(File.get(), G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_TYPE, nullptr));
    if (Type != G_KEY_FILE_DESKTOP_TYPE_APPLICATION) {
        return Type.empty() ? "not a desktop entry"
                            : "a desktop entry of type " + Type + ", not an application";
    }
    const std::string TryExec = TakeText(g_key_file_get_string(File.get(), G_KEY_FILE_DESKTOP_GROUP,
                                                               G_KEY_FILE_DESKTOP_KEY_TRY_EXEC, nullptr));
    if (!TryExec.empty() && TakeText(g_find_program_in_path(TryExec.c_str())).empty()) {
        return "its program " + TryExec + " (TryExec) is not installed";
    }
    const std::string Exec = TakeText(
        g_key_file_get_string(File.get(), G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr));
    const std::string Program = FirstWord(Exec);
    if (!Program.empty() && TakeText(g_find_program_in_path(Program.c_str())).empty()) {
        return "its program " + Program + " is not installed";
    }
    return "not a usable application entry";
}

// An entry as GIO reads it.
class TGioEntry final : public TDesktopEntry {
  public:
    explicit TGioEntry(GDesktopAppInfo* Info) : FInfo(Info) {}

    std::string FileName() const override;
    std::string Id() const override;
    std::string Name() const override;
    std::string Description() const override;
    std::string Icon() const override;
    std::string WindowClass() const override;
    std::vector<std::string> WindowClasses() const override;
    bool UserEntry() const override;
    TEntryStart Start(const std::string& Parameters, const std::string& Directory,
                      const std::vector<std::string>& Environment, IStartupNotice* Notice) const override;

  private:
    TGObjectPtr<GDesktopAppInfo> FInfo;
};

TDesktopEntryLookup FromFile(const std::string& Path) {
    GDesktopAppInfo* Info = g_desktop_app_info_new_from_filename(Path.c_str());
    if (Info == nullptr) {
        return TDesktopEntryLookup::Unusable(WhyUnusable(Path));
    }
    // A Hidden entry is one the user deleted: it stands for no application.
    if (g_desktop_app_info_get_is_hidden(Info)) {
        g_object_unref(Info);
        return TDesktopEntryLookup::Unusable("the entry is marked as deleted (Hidden)");
    }
    return TDesktopEntryLookup::Usable(std::make_unique<TGioEntry>(Info));
}

struct TSortedEntry {
    bool System = false;
    std::string Key;
    std::unique_ptr<TDesktopEntry> Entry;
};

// Names compare as the user's language sorts them, case ignored.
std::string CollationKey(const std::string& Name) {
    const std::string Folded = TakeText(g_utf8_casefold(Name.c_str(), -1));
    return TakeText(g_utf8_collate_key(Folded.c_str(), -1));
}

std::string UserApplications() {
    return std::string(g_get_user_data_dir()) + "/applications/";
}

std::string TGioEntry::FileName() const {
    return Text(g_desktop_app_info_get_filename(FInfo.get()));
}

std::string TGioEntry::Id() const {
    return Text(g_app_info_get_id(G_APP_INFO(FInfo.get())));
}

std::string TGioEntry::Name() const {
    return Text(g_app_info_get_name(G_APP_INFO(FInfo.get())));
}

std::string TGioEntry::Description() const {
    GDesktopAppInfo* Info = FInfo.get();
    std::string Words = Text(g_desktop_app_info_get_generic_name(Info)) + '\n' +
                        Text(g_app_info_get_description(G_APP_INFO(Info)));
    if (const char* const* Keywords = g_desktop_app_info_get_keywords(Info); Keywords != nullptr) {
        for (; *Keywords != nullptr; ++Keywords) {
            Words += '\n' + std::string(*Keywords);
        }
    }
    return Words;
}

std::string TGioEntry::Icon() const {
    return IconOf(G_APP_INFO(FInfo.get()));
}

std::string TGioEntry::WindowClass() const {
    return WindowClassOf(FInfo.get());
}

std::vector<std::string> TGioEntry::WindowClasses() const {
    std::vector<std::string> Classes{WindowClass()};
    const std::string Program = BaseName(Text(g_app_info_get_executable(G_APP_INFO(FInfo.get()))));
    if (!Program.empty() && Program != Classes.front()) {
        Classes.push_back(Program);
    }
    return Classes;
}

bool TGioEntry::UserEntry() const {
    return FileName().starts_with(UserApplications());
}

TEntryStart TGioEntry::Start(const std::string& Parameters, const std::string& Directory,
                             const std::vector<std::string>& Environment, IStartupNotice* Notice) const {
    if (std::string Problem = WorkingDirectoryProblem(Directory); !Problem.empty()) {
        return {false, 0, std::move(Problem)};
    }
    GDesktopAppInfo* Info = FInfo.get();
    TUriList Uris;
    FillUris(Uris, Parameters, Directory.empty() ? CurrentDirectory() : Directory);
    const TGObjectPtr<GAppLaunchContext> Context = NewLaunchContext(Environment, Notice);
    const bool OwnPath = !TakeText(g_desktop_app_info_get_string(Info, G_KEY_FILE_DESKTOP_KEY_PATH)).empty();
    TChildSetup Setup{OwnPath || Directory.empty() ? nullptr : Directory.c_str()};
    pid_t Pid = 0;
    GError* Error = nullptr;
    const auto Flags = static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDIN_FROM_DEV_NULL);
    if (!g_desktop_app_info_launch_uris_as_manager(Info, Uris.List, Context.get(), Flags, SetUpChild, &Setup,
                                                   TakePid, &Pid, &Error)) {
        const TGErrorPtr Owned(Error);
        return {false, 0, "cannot start it: " + Text(Error != nullptr ? Error->message : nullptr)};
    }
    return {true, Pid, {}};
}

std::unique_ptr<TDesktopEntry> FromId(const std::string& Id) {
    GDesktopAppInfo* Info = g_desktop_app_info_new(Id.c_str());
    return Info != nullptr ? std::make_unique<TGioEntry>(Info) : nullptr;
}

std::vector<std::unique_ptr<TDesktopEntry>> Installed() {
    std::vector<std::unique_ptr<TDesktopEntry>> Entries;
    GList* All = g_app_info_get_all();
    for (GList* Item = All; Item != nullptr; Item = Item->next) {
        auto* Info = static_cast<GAppInfo*>(Item->data);
        if (G_IS_DESKTOP_APP_INFO(Info) && g_app_info_should_show(Info)) {
            Entries.push_back(std::make_unique<TGioEntry>(G_DESKTOP_APP_INFO(g_object_ref(Info))));
        }
    }
    g_list_free_full(All, g_object_unref);
    std::vector<TSortedEntry> Listed;
    for (auto& Entry : Entries) {
        Listed.push_back({!Entry->UserEntry(), CollationKey(Entry->Name()), std::move(Entry)});
    }
    std::stable_sort(Listed.begin(), Listed.end(), [](const TSortedEntry& A, const TSortedEntry& B) {
        return std::tie(A.System, A.Key) < std::tie(B.System, B.Key);
    });
    std::vector<std::unique_ptr<TDesktopEntry>> Sorted;
    for (TSortedEntry& Item : Listed) {
        Sorted.push_back(std::move(Item.Entry));
    }
    return Sorted;
}

}  // namespace
}  // namespace tulma

extern "C" __attribute__((visibility("default"))) const tulma::TDesktopEntryModule*
TulmaDesktopEntryModule() {
    static const tulma::TDesktopEntryModule Module{tulma::FromFile, tulma::FromId, tulma::Installed};
    return &Module;
}
