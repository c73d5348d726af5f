#include "HotKeyCommand.h"

#include "FieldVisitor.h"
#include "LayoutVersion.h"
#include "ObjectStream.h"

namespace tulma {

THotKeyCommand::THotKeyCommand(TObjectStream& Stream) : TSimpleListEntry(Stream) {
    const int32_t Version = Stream.ReadLongInt();
    Exec = Stream.ReadString();
    ExecMode = Stream.ReadLongInt();
    // Layout 100 ended after the exec mode.
    if (Version >= CurrentLayoutVersion) {
        Parameters = Stream.ReadString();
        Directory = Stream.ReadString();
        LookForWindow = Stream.ReadString();
    }
}

void THotKeyCommand::Store(TObjectStream& Stream) const {
    TSimpleListEntry::Store(Stream);
    Stream.WriteLongInt(CurrentLayoutVersion);
    Stream.WriteString(Exec);
    Stream.WriteLongInt(ExecMode);
    Stream.WriteString(Parameters);
    Stream.WriteString(Directory);
    Stream.WriteString(LookForWindow);
}

void THotKeyCommand::CopyTo(TStreamableObject& Dest) const {
    TSimpleListEntry::CopyTo(Dest);
    auto& Command = CastTo<THotKeyCommand>(Dest);
    Command.Exec = Exec;
    Command.ExecMode = ExecMode;
    Command.Parameters = Parameters;
    Command.Directory = Directory;
    Command.LookForWindow = LookForWindow;
}

void THotKeyCommand::VisitFields(TFieldVisitor& Visitor) {
    TSimpleListEntry::VisitFields(Visitor);
    Visitor.String("Exec", Exec);
    Visitor.Integer("ExecMode", ExecMode);
    Visitor.String("Parameters", Parameters);
    Visitor.String("Directory", Directory);
    Visitor.String("LookForWindow", LookForWindow);
}

}  // namespace tulma
