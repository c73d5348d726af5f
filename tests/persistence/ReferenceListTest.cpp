#include "ReferenceList.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "AppMessageHook.h"
#include "ClassRegistry.h"
#include "IDList.h"
#include "ListControl.h"
#include "ListEntry.h"

namespace tulma {
namespace {

class TFakeListControl : public IListControl {
  public:
    std::vector<std::string> Rows;
    std::set<int32_t> Selected;

    int32_t RowCount() const override { return static_cast<int32_t>(Rows.size()); }
    void Clear() override {
        Rows.clear();
        Selected.clear();
    }
    void AddRow(const std::string& Text) override { Rows.push_back(Text); }
    int32_t SelectedIndex() const override { return Selected.empty() ? -1 : *Selected.begin(); }
    void SetSelectedIndex(int32_t Index) override {
        Selected.clear();
        if (Index >= 0 && Index < RowCount()) {
            Selected.insert(Index);
        }
    }
    bool IsRowSelected(int32_t Row) const override { return Selected.contains(Row); }
    void SetRowSelected(int32_t Row, bool On) override {
        if (On) {
            Selected.insert(Row);
        } else {
            Selected.erase(Row);
        }
    }
};

// Shows its identifier for the display kind and sorts by a separate key, like a catalogue message.
class TKeyedEntry : public TListEntry {
  public:
    TKeyedEntry(int32_t Identifier, std::string Key) : FKey(std::move(Key)) { ID = Identifier; }
    std::string GetDescription(int32_t Kind) const override {
        return Kind == DisplayKind ? "#" + std::to_string(ID) : FKey;
    }

  private:
    std::string FKey;
};

class ReferenceListTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (ClassRegistry().GetEntryForID(TID::ClassCode, false) == nullptr) {
            ClassRegistry().RegisterObjectClass<TID>();
        }
        if (ClassRegistry().GetEntryForID(TSimpleListEntry::ClassCode, false) == nullptr) {
            ClassRegistry().RegisterObjectClass<TSimpleListEntry>();
        }
    }
    void TearDown() override { SetAppMessageHook({}); }

    TSimpleListEntry& AddEntry(const std::string& Name) {
        auto Entry = std::make_unique<TSimpleListEntry>();
        Entry->Name = Name;
        auto& Added = *Entry;
        Entries.Add(std::move(Entry));
        return Added;
    }

    TIDList Entries;
    TReferenceList References;
    TFakeListControl Control;
};

TEST_F(ReferenceListTest, ShowsEntriesByNameIgnoringCaseAndEqualNamesLatestFirst) {
    AddEntry("beta");
    AddEntry("Alpha");
    AddEntry("gamma");
    References.UpdateControl(&Control, Entries);
    EXPECT_EQ(Control.Rows, (std::vector<std::string>{"Alpha", "beta", "gamma"}));

    TIDList Same;
    auto First = std::make_unique<TSimpleListEntry>();
    First->Name = "Same";
    auto* A = First.get();
    Same.Add(std::move(First));
    auto Second = std::make_unique<TSimpleListEntry>();
    Second->Name = "Same";
    auto* B = Second.get();
    Same.Add(std::move(Second));
    References.ReCreateFromList(Same);
    ASSERT_EQ(References.Count(), 2);
    EXPECT_EQ(References.ObjectAt(0), B);
    EXPECT_EQ(References.ObjectAt(1), A);
}

TEST_F(ReferenceListTest, ShowsTheDisplayTextButSortsByTheSortText) {
    TIDList Messages;
    Messages.Add(std::make_unique<TKeyedEntry>(27, "10027"));
    Messages.Add(std::make_unique<TKeyedEntry>(9, "10009"));
    Messages.Add(std::make_unique<TKeyedEntry>(10, "10010"));
    References.ReCreateFromList(Messages);
    References.FillListBox(Control);
    EXPECT_EQ(Control.Rows, (std::vector<std::string>{"#9", "#10", "#27"}));

    References.ReCreateFromListSpecial(Messages, TListEntry::DisplayKind, TListEntry::DisplayKind);
    References.FillComboBox(Control);
    EXPECT_EQ(Control.Rows, (std::vector<std::string>{"#10", "#27", "#9"}));
}

TEST_F(ReferenceListTest, MapsRowsAndIdentifiersWithoutSelection) {
    auto& Alpha = AddEntry("Alpha");
    AddEntry("Beta");
    References.UpdateControl(&Control, Entries);

    EXPECT_EQ(References.GetSelectedID(&Control), -1);
    EXPECT_EQ(References.GetSelectedObject(&Control), nullptr);
    EXPECT_EQ(References.GetSelectedID(nullptr), -1);
    EXPECT_EQ(References.ObjectAt(-1), nullptr);
    EXPECT_EQ(References.ObjectAt(2), nullptr);
    EXPECT_EQ(References.IndexOfID(Alpha.ID), 0);
    EXPECT_EQ(References.IndexOfID(99), -1);
    EXPECT_EQ(References.GetObjectByID(99), nullptr);
    ASSERT_NE(References.GetObjectByID(Alpha.ID), nullptr);
    EXPECT_EQ(References.GetObjectByID(Alpha.ID)->ObjectItself, &Alpha);

    References.SelectByID(&Control, Alpha.ID);
    EXPECT_EQ(References.GetSelectedObject(&Control), &Alpha);
    References.SelectByID(&Control, 99);
    EXPECT_EQ(Control.SelectedIndex(), -1);
}

TEST_F(ReferenceListTest, UpdateControlKeepsTheSelectedEntryByIdentifier) {
    auto& Zeta = AddEntry("Zeta");
    References.UpdateControl(&Control, Entries);
    Control.SetSelectedIndex(0);

    AddEntry("Alpha");
    AddEntry("Beta");
    References.UpdateControl(&Control, Entries);
    EXPECT_EQ(Control.SelectedIndex(), 2);
    EXPECT_EQ(References.GetSelectedObject(&Control), &Zeta);
}

TEST_F(ReferenceListTest, FillingKeepsTheRowNumberNotTheEntry) {
    AddEntry("Alpha");
    auto& Beta = AddEntry("Beta");
    AddEntry("Gamma");
    References.ReCreateFromList(Entries);
    References.FillListBox(Control);
    Control.SetSelectedIndex(0);

    Entries.FreeByID(0);
    References.ReCreateFromList(Entries);
    References.FillListBox(Control);
    EXPECT_EQ(Control.SelectedIndex(), 0);
    EXPECT_EQ(References.GetSelectedObject(&Control), &Beta);

    Control.SetSelectedIndex(1);
    Entries.FreeByID(2);
    References.ReCreateFromList(Entries);
    References.FillListBox(Control);
    EXPECT_EQ(Control.SelectedIndex(), -1);
}

TEST_F(ReferenceListTest, UpdatingAControlThatIsNoListIsAnInvalidCast) {
    AddEntry("Alpha");
    EXPECT_THROW(References.UpdateControl(nullptr, Entries), EInvalidCast);
}

TEST_F(ReferenceListTest, MultipleSelectionRoundTripsThroughIdentifierLists) {
    AddEntry("Gamma");
    auto& Alpha = AddEntry("Alpha");
    auto& Beta = AddEntry("Beta");
    References.UpdateControl(&Control, Entries);

    TIDList Wanted;
    Wanted.Add(TID::CreateWithID(Beta.ID));
    Wanted.Add(TID::CreateWithID(Alpha.ID));
    Wanted.Add(TID::CreateWithID(77));
    Control.SetRowSelected(2, true);
    References.SelectByIDList(Control, Wanted);
    EXPECT_EQ(Control.Selected, (std::set<int32_t>{0, 1}));

    TIDList Read;
    Read.Add(TID::CreateWithID(5));
    References.GetSelectedIDs(Control, Read);
    ASSERT_EQ(Read.Count(), 2);
    EXPECT_TRUE(Read.HasID(Alpha.ID));
    EXPECT_TRUE(Read.HasID(Beta.ID));
    EXPECT_FALSE(Read.HasID(5));
}

TEST_F(ReferenceListTest, ExistingNamesAreFoundCaseSensitivelyAndReportedOncePerClash) {
    auto& Editor = AddEntry("Editor");
    References.ReCreateFromList(Entries);
    TSimpleListEntry Probe;
    Probe.Name = "editor";
    EXPECT_TRUE(References.CheckForExistingName(&Probe, true));
    EXPECT_TRUE(References.CheckForExistingName(&Editor, true));
    EXPECT_TRUE(References.CheckForExistingName(nullptr, true));

    std::vector<std::pair<int32_t, TMessageArgs>> Shown;
    SetAppMessageHook([&Shown](int32_t ID, const TMessageArgs& Args) {
        Shown.emplace_back(ID, Args);
        return 1;
    });
    AddEntry("Editor");
    References.ReCreateFromList(Entries);
    Probe.Name = "Editor";
    EXPECT_FALSE(References.CheckForExistingName(&Probe, false));
    EXPECT_TRUE(Shown.empty());
    EXPECT_FALSE(References.CheckForExistingName(&Probe, true));
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[0].first, 27);
    EXPECT_EQ(Shown[0].second, (TMessageArgs{std::string("Editor")}));
    EXPECT_FALSE(References.CheckForExistingName(&Editor, true));
    EXPECT_EQ(Shown.size(), 3u);
}

TEST_F(ReferenceListTest, CopyObjectTakesTheFirstFreeNumberedName) {
    auto& Editor = AddEntry("Editor");
    AddEntry("Editor (2)");
    References.ReCreateFromList(Entries);

    const int32_t NewID = References.CopyObject(Editor.ID, Entries);
    EXPECT_EQ(NewID, 2);
    ASSERT_EQ(Entries.Count(), 3);
    EXPECT_EQ(Entries.GetAs<TSimpleListEntry>(NewID)->Name, "Editor (3)");
    EXPECT_EQ(Editor.Name, "Editor");

    EXPECT_EQ(References.CopyObject(-1, Entries), -1);
    EXPECT_EQ(References.CopyObject(42, Entries), -1);
    EXPECT_EQ(Entries.Count(), 3);
}

TEST_F(ReferenceListTest, CopyObjectOfAnEntryWithoutNameIsAnInvalidCast) {
    TIDList Keyed;
    Keyed.Add(std::make_unique<TKeyedEntry>(3, "x"));
    References.ReCreateFromList(Keyed);
    EXPECT_THROW(References.CopyObject(3, Keyed), EInvalidCast);
    EXPECT_EQ(Keyed.Count(), 1);
}

}  // namespace
}  // namespace tulma
