#include "ListEntry.h"

#include "FieldVisitor.h"
#include "ListControls.h"
#include "ObjectStream.h"

namespace tulma {

std::string TListEntry::GetDescription(int32_t) const {
    return {};
}

const IPicture* TListEntry::GetBitmap(bool) const {
    return nullptr;
}

void TListEntry::AddToStringGrid(IStringGrid& Grid, int32_t Tag) {
    const int32_t LastRow = Grid.RowCount() - 1;
    const bool LastRowUsed =
        !Grid.Cell(0, LastRow).empty() || (Grid.ColCount() > 1 && !Grid.Cell(1, LastRow).empty());
    if (LastRowUsed) {
        Grid.SetRowCount(Grid.RowCount() + 1);
    }
    SetStringGridCols(Grid, Grid.RowCount() - 1, Tag);
}

void TListEntry::SetStringGridCols(IStringGrid& Grid, int32_t Row, int32_t) {
    Grid.SetCell(0, Row, GetDescription(DisplayKind));
    Grid.SetCellObject(0, Row, this);
}

void TListEntry::InitStringGrid(IStringGrid& Grid) {
    Grid.SetRowCount(2);
    Grid.SetFixedRows(1);
    for (int32_t Col = 0; Col < Grid.ColCount(); ++Col) {
        Grid.SetCell(Col, 1, {});
    }
}

TSimpleListEntry::TSimpleListEntry(TObjectStream& Stream) : TListEntry(Stream), Name(Stream.ReadString()) {}

std::string TSimpleListEntry::GetDescription(int32_t) const {
    return Name;
}

void TSimpleListEntry::Store(TObjectStream& Stream) const {
    TListEntry::Store(Stream);
    Stream.WriteString(Name);
}

void TSimpleListEntry::CopyTo(TStreamableObject& Dest) const {
    TListEntry::CopyTo(Dest);
    CastTo<TSimpleListEntry>(Dest).Name = Name;
}

void TSimpleListEntry::VisitFields(TFieldVisitor& Visitor) {
    TListEntry::VisitFields(Visitor);
    Visitor.String("Name", Name);
}

}  // namespace tulma
