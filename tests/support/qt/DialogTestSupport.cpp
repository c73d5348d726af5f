#include "DialogTestSupport.h"

#include "AppMessages.h"
#include "MessageBoxFunction.h"
#include "MessageFileFixture.h"

namespace tulma::test {

void InstallDialogMessages() {
    CreateMessageList(-1);
    AppMessages()->AddMessage(MakeMessage(MessageNumber::NothingSelected, "NothingSelected", "Select."));
    AppMessages()->AddMessage(MakeMessage(MessageNumber::ConfirmDelete, "ConfirmDelete", "Delete?",
                                          MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion));
    AppMessages()->AddMessage(MakeMessage(MessageNumber::RequiredField, "RequiredField", "Fill in."));
}

}  // namespace tulma::test
