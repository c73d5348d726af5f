#include "ClassRegistration.h"

#include "AppMessage.h"
#include "BitmappedListEntry.h"
#include "ClassRegistry.h"
#include "DateClasses.h"
#include "HotKeyCommand.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "IDList.h"
#include "IntlMessages.h"
#include "ListEntry.h"
#include "Text.h"

namespace tulma {

void RegisterAllClasses() {
    TClassRegistry& Registry = ClassRegistry();
    Registry.RegisterObjectClass<TObjectList>();
    Registry.RegisterObjectClass<TText>();
    RegisterDateClasses();
    Registry.RegisterObjectClass<TID>();
    Registry.RegisterObjectClass<TIDList>();
    Registry.RegisterObjectClass<TDID>();
    IntlMessages();
    Registry.RegisterObjectClass<TAppMessage>();
    Registry.RegisterObjectClass<TSimpleListEntry>();
    Registry.RegisterObjectClass<TBitmappedListEntry>();
    Registry.RegisterObjectClass<THotKeyCommand>();
    Registry.RegisterObjectClass<THotTulma>();
    Registry.RegisterObjectClass<THotKeyFile>();
}

}  // namespace tulma
