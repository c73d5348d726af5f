#pragma once

#include <cstdint>

#include "ListEntry.h"
#include "ObjectReference.h"
#include "SortedObjectList.h"

namespace tulma {

class IListControl;
class IStringGrid;

// A view of an object list of list entries for one list box or combo box: the entries ordered by
// their descriptions, ignoring case, with the control's rows mapped back to entries and identifiers.
// It owns its references, never the entries; the object list must outlive it, and it must be rebuilt
// after the object list changes.
//
// The operations that take an IListControl pointer accept none for a control that is neither a list
// box nor a combo box.
class TReferenceList : public TSortedObjectList {
  public:
    TReferenceList() = default;
    // CreateFromList.
    explicit TReferenceList(TObjectList& List);

    void ReCreateFromList(TObjectList& List);
    void ReCreateFromListSpecial(TObjectList& List, int32_t DisplayKind, int32_t SortKind);

    // Keep the selected row number, not the selected entry.
    void FillListBox(IListControl& ListBox) const;
    void FillComboBox(IListControl& ComboBox) const;
    void FillStringGrid(IStringGrid& Grid) const;

    TObjectReference& ReferenceAt(int32_t Index) const { return ItemAs<TObjectReference>(Index); }
    // None outside 0..Count()-1.
    TListEntry* ObjectAt(int32_t Index) const;
    int32_t IndexOfID(int32_t ID) const;
    TObjectReference* GetObjectByID(int32_t ID) const;

    TListEntry* GetSelectedObject(const IListControl* Control) const;
    int32_t GetSelectedID(const IListControl* Control) const;
    void SelectByID(IListControl* Control, int32_t ID) const;

    // Rebuilds from List, refills Control and keeps the selected entry selected, by identifier.
    // A control that is neither a list box nor a combo box is an invalid cast.
    void UpdateControl(IListControl* Control, TObjectList& List);
    void UpdateControlSpecial(IListControl* Control, TObjectList& List, int32_t DisplayKind,
                              int32_t SortKind);

    // For list boxes with several selected rows; IDList holds identified objects (TID).
    void SelectByIDList(IListControl& ListBox, const TObjectList& IDList) const;
    void GetSelectedIDs(const IListControl& ListBox, TObjectList& IDList) const;

    // True when no other entry shows Entry's display text (case matters). With ShowMessage, catalogue
    // message 27 names every clashing text.
    bool CheckForExistingName(const TListEntry* Entry, bool ShowMessage) const;
    // Adds a copy of the entry with that identifier to TargetList under the first free name of the
    // series "Name (2)", "Name (3)", ...; returns the copy's identifier, -1 when there is no such entry.
    int32_t CopyObject(int32_t ID, TObjectList& TargetList) const;

  private:
    void Fill(IListControl& Control) const;
};

}  // namespace tulma
