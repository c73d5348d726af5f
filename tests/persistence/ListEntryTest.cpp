#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "BitmappedListEntry.h"
#include "ListEntry.h"
#include "StreamBytes.h"
#include "TempDir.h"

namespace tulma {
namespace {

using test::Bytes;

class FakeGrid : public IStringGrid {
  public:
    int32_t Rows = 5;
    int32_t FixedRows = 0;
    std::map<std::pair<int32_t, int32_t>, std::string> Cells;
    std::map<std::pair<int32_t, int32_t>, TListEntry*> Objects;

    int32_t RowCount() const override { return Rows; }
    void SetRowCount(int32_t Value) override { Rows = Value; }
    void SetFixedRows(int32_t Value) override { FixedRows = Value; }
    int32_t ColCount() const override { return 2; }
    std::string Cell(int32_t Col, int32_t Row) const override {
        const auto Found = Cells.find({Col, Row});
        return Found == Cells.end() ? std::string() : Found->second;
    }
    void SetCell(int32_t Col, int32_t Row, const std::string& Text) override { Cells[{Col, Row}] = Text; }
    void SetCellObject(int32_t Col, int32_t Row, TListEntry* Entry) override { Objects[{Col, Row}] = Entry; }
};

class FakePicture : public IPicture {
  public:
    FakePicture(std::string Origin, int32_t Size) : Origin(std::move(Origin)), Size(Size) {}
    std::string Origin;
    int32_t Size;
    std::unique_ptr<IPicture> Clone() const override { return std::make_unique<FakePicture>(Origin, Size); }
    std::unique_ptr<IPicture> Stretched(int32_t Width, int32_t) const override {
        return std::make_unique<FakePicture>(Origin, Width);
    }
};

class FakePictureFactory : public IPictureFactory {
  public:
    std::unique_ptr<IPicture> CreateEmpty(int32_t Width, int32_t) const override {
        return std::make_unique<FakePicture>("empty", Width);
    }
    std::unique_ptr<IPicture> LoadFile(const std::string& FileName) const override {
        return std::make_unique<FakePicture>(FileName, 32);
    }
    std::unique_ptr<IPicture> LoadNamed(const std::string& Name) const override {
        return std::make_unique<FakePicture>("named:" + Name, 32);
    }
};

std::string OriginOf(const IPicture* Picture) {
    return Picture ? dynamic_cast<const FakePicture&>(*Picture).Origin : "none";
}

TEST(SimpleListEntry, StoresIdentifierThenName) {
    TSimpleListEntry Entry;
    Entry.Name = "Editor";
    Entry.ID = 0;
    EXPECT_EQ(test::WrittenObject(Entry),
              (Bytes{0xEC, 3, 0, 0, 0, 0, 0, 0, 6, 0, 0, 0, 'E', 'd', 'i', 't', 'o', 'r'}));
    auto Read = test::RoundTrip(Entry);
    EXPECT_EQ(Read->ID, 0);
    EXPECT_EQ(Read->Name, "Editor");
}

TEST(SimpleListEntry, DescriptionIsTheUntrimmedName) {
    TListEntry Plain;
    EXPECT_EQ(Plain.GetDescription(0), "");
    TSimpleListEntry Entry;
    Entry.Name = "  spaced  ";
    EXPECT_EQ(Entry.GetDescription(TListEntry::DisplayKind), "  spaced  ");
    EXPECT_EQ(Entry.GetDescription(TListEntry::SortKind), "  spaced  ");
}

TEST(SimpleListEntry, StringGridFillsRowOneThenAppends) {
    FakeGrid Grid;
    TSimpleListEntry First;
    First.Name = "first";
    TSimpleListEntry Second;
    Second.Name = "second";
    First.InitStringGrid(Grid);
    EXPECT_EQ(Grid.Rows, 2);
    EXPECT_EQ(Grid.FixedRows, 1);
    First.AddToStringGrid(Grid, 0);
    EXPECT_EQ(Grid.Rows, 2);
    Second.AddToStringGrid(Grid, 0);
    EXPECT_EQ(Grid.Rows, 3);
    EXPECT_EQ(Grid.Cell(0, 1), "first");
    EXPECT_EQ(Grid.Cell(0, 2), "second");
    EXPECT_EQ((Grid.Objects[{0, 2}]), &Second);
}

class BitmappedListEntry : public testing::Test {
  protected:
    void SetUp() override { SetPictureFactory(&Factory); }
    void TearDown() override { SetPictureFactory(nullptr); }
    FakePictureFactory Factory;
    test::TempDir Dir;
};

TEST_F(BitmappedListEntry, StoresMarkerAndPictureNamesButNoPictures) {
    TBitmappedListEntry Entry;
    Entry.ID = 1;
    EXPECT_EQ(test::WrittenObject(Entry),
              (Bytes{0xED, 3, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    auto Read = test::RoundTrip(Entry);
    EXPECT_EQ(OriginOf(Read->GetBitmap(false)), "empty");
    EXPECT_EQ(OriginOf(Read->GetBitmap(true)), "empty");
}

TEST_F(BitmappedListEntry, FileWinsOverNameAndMissingFileFallsBackToName) {
    TBitmappedListEntry Entry;
    Entry.BitmapName = "star";
    Entry.BitmapFile = Dir.File("missing.bmp");
    Entry.LoadBitmaps();
    EXPECT_EQ(OriginOf(Entry.GetBitmap(false)), "named:star");
    EXPECT_EQ(dynamic_cast<const FakePicture*>(Entry.GetBitmap(true))->Size, 16);

    std::ofstream(Dir.File("real.bmp")) << "BM";
    Entry.BitmapFile = Dir.File("real.bmp");
    auto Read = test::RoundTrip(Entry);
    EXPECT_EQ(OriginOf(Read->GetBitmap(false)), Dir.File("real.bmp"));
    EXPECT_EQ(Read->BitmapName, "star");
}

TEST_F(BitmappedListEntry, CopyGivesTheDestinationItsOwnPictures) {
    TBitmappedListEntry Source;
    Source.BitmapName = "star";
    Source.LoadBitmaps();
    TBitmappedListEntry Dest;
    Source.CopyTo(Dest);
    EXPECT_EQ(OriginOf(Dest.GetBitmap(false)), "named:star");
    EXPECT_NE(Dest.GetBitmap(false), Source.GetBitmap(false));
    TSimpleListEntry Simple;
    EXPECT_THROW(Source.CopyTo(Simple), EInvalidCast);
}

}  // namespace
}  // namespace tulma
