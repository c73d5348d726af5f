#include "ReferenceList.h"

#include <memory>
#include <string>

#include "AppMessageHook.h"
#include "ListControl.h"
#include "ListControls.h"

namespace tulma {
namespace {

// The catalogue's complaint that a name is already in use; its one argument is the clashing text.
constexpr int32_t NameInUseMessage = 27;

}  // namespace

TReferenceList::TReferenceList(TObjectList& List) {
    ReCreateFromList(List);
}

void TReferenceList::ReCreateFromList(TObjectList& List) {
    ReCreateFromListSpecial(List, TListEntry::DisplayKind, TListEntry::SortKind);
}

void TReferenceList::ReCreateFromListSpecial(TObjectList& List, int32_t DisplayKind, int32_t SortKind) {
    FreeAll();
    for (int32_t I = 0; I < List.Count(); ++I) {
        Add(std::make_unique<TObjectReference>(List.ItemAs<TListEntry>(I), DisplayKind, SortKind));
    }
}

void TReferenceList::FillListBox(IListControl& ListBox) const {
    Fill(ListBox);
}

void TReferenceList::FillComboBox(IListControl& ComboBox) const {
    Fill(ComboBox);
}

void TReferenceList::Fill(IListControl& Control) const {
    const int32_t Selected = Control.SelectedIndex();
    Control.Clear();
    for (int32_t I = 0; I < Count(); ++I) {
        Control.AddRow(ReferenceAt(I).DisplayText);
    }
    Control.SetSelectedIndex(Selected < Control.RowCount() ? Selected : -1);
}

void TReferenceList::FillStringGrid(IStringGrid& Grid) const {
    Grid.SetRowCount(Count());
}

TListEntry* TReferenceList::ObjectAt(int32_t Index) const {
    return Index < 0 || Index >= Count() ? nullptr : ReferenceAt(Index).ObjectItself;
}

int32_t TReferenceList::IndexOfID(int32_t ID) const {
    for (int32_t I = 0; I < Count(); ++I) {
        if (ReferenceAt(I).ID == ID) {
            return I;
        }
    }
    return -1;
}

TObjectReference* TReferenceList::GetObjectByID(int32_t ID) const {
    const int32_t Index = IndexOfID(ID);
    return Index < 0 ? nullptr : &ReferenceAt(Index);
}

TListEntry* TReferenceList::GetSelectedObject(const IListControl* Control) const {
    return ObjectAt(Control == nullptr ? -1 : Control->SelectedIndex());
}

int32_t TReferenceList::GetSelectedID(const IListControl* Control) const {
    const TListEntry* Entry = GetSelectedObject(Control);
    return Entry == nullptr ? TID::NoID : Entry->ID;
}

void TReferenceList::SelectByID(IListControl* Control, int32_t ID) const {
    if (Control != nullptr) {
        Control->SetSelectedIndex(IndexOfID(ID));
    }
}

void TReferenceList::UpdateControl(IListControl* Control, TObjectList& List) {
    UpdateControlSpecial(Control, List, TListEntry::DisplayKind, TListEntry::SortKind);
}

void TReferenceList::UpdateControlSpecial(IListControl* Control, TObjectList& List, int32_t DisplayKind,
                                          int32_t SortKind) {
    if (Control == nullptr) {
        throw EInvalidCast();
    }
    const int32_t SelectedID = GetSelectedID(Control);
    ReCreateFromListSpecial(List, DisplayKind, SortKind);
    Fill(*Control);
    SelectByID(Control, SelectedID);
}

void TReferenceList::SelectByIDList(IListControl& ListBox, const TObjectList& IDList) const {
    for (int32_t Row = 0; Row < ListBox.RowCount(); ++Row) {
        ListBox.SetRowSelected(Row, false);
    }
    for (int32_t I = 0; I < IDList.Count(); ++I) {
        const int32_t Row = IndexOfID(IDList.ItemAs<TID>(I).ID);
        if (Row >= 0 && Row < ListBox.RowCount()) {
            ListBox.SetRowSelected(Row, true);
        }
    }
}

void TReferenceList::GetSelectedIDs(const IListControl& ListBox, TObjectList& IDList) const {
    IDList.FreeAll();
    for (int32_t Row = 0; Row < ListBox.RowCount() && Row < Count(); ++Row) {
        if (ListBox.IsRowSelected(Row)) {
            IDList.Add(TID::CreateWithID(ReferenceAt(Row).ID));
        }
    }
}

bool TReferenceList::CheckForExistingName(const TListEntry* Entry, bool ShowMessage) const {
    if (Entry == nullptr) {
        return true;
    }
    const std::string Text = Entry->GetDescription(TListEntry::DisplayKind);
    bool Free = true;
    for (int32_t I = 0; I < Count(); ++I) {
        const TObjectReference& Reference = ReferenceAt(I);
        if (Reference.DisplayText == Text && Reference.ID != Entry->ID) {
            Free = false;
            if (ShowMessage) {
                ShowHookedAppMessage(NameInUseMessage, {Reference.DisplayText});
            }
        }
    }
    return Free;
}

int32_t TReferenceList::CopyObject(int32_t ID, TObjectList& TargetList) const {
    if (ID == TID::NoID) {
        return TID::NoID;
    }
    const TObjectReference* Reference = GetObjectByID(ID);
    if (Reference == nullptr) {
        return TID::NoID;
    }
    std::unique_ptr<TStreamableObject> Owned = Reference->ObjectItself->CopyToNew();
    auto& Copy = CastTo<TSimpleListEntry>(*Owned);
    Copy.ID = TID::NoID;
    const std::string Base = Copy.Name;
    for (int64_t N = 2; !CheckForExistingName(&Copy, false); ++N) {
        Copy.Name = Base + " (" + std::to_string(N) + ")";
    }
    TargetList.Add(std::move(Owned));
    return Copy.ID;
}

}  // namespace tulma
