#include "BitmappedListEntry.h"

#include <filesystem>

#include "FieldVisitor.h"
#include "ObjectStream.h"

namespace tulma {
namespace {

std::unique_ptr<IPicture> CloneOf(const std::unique_ptr<IPicture>& Picture) {
    return Picture ? Picture->Clone() : nullptr;
}

const IPictureFactory* GCurrentFactory = nullptr;

}  // namespace

const IPictureFactory* PictureFactory() {
    return GCurrentFactory;
}

void SetPictureFactory(const IPictureFactory* Factory) {
    GCurrentFactory = Factory;
}

TBitmappedListEntry::TBitmappedListEntry() {
    MakeEmptyPictures();
}

TBitmappedListEntry::TBitmappedListEntry(TObjectStream& Stream) : TSimpleListEntry(Stream) {
    Stream.ReadInteger();
    BitmapName = Stream.ReadString();
    BitmapFile = Stream.ReadString();
    MakeEmptyPictures();
    LoadBitmaps();
}

void TBitmappedListEntry::MakeEmptyPictures() {
    if (const IPictureFactory* Factory = PictureFactory()) {
        FBitmap = Factory->CreateEmpty(0, 0);
        FSmallBitmap = Factory->CreateEmpty(SmallSize, SmallSize);
    }
}

void TBitmappedListEntry::LoadBitmaps() {
    const IPictureFactory* Factory = PictureFactory();
    if (Factory == nullptr) {
        return;
    }
    std::error_code Ignored;
    std::unique_ptr<IPicture> Loaded;
    if (!BitmapFile.empty() && std::filesystem::exists(BitmapFile, Ignored)) {
        Loaded = Factory->LoadFile(BitmapFile);
    } else if (!BitmapName.empty()) {
        Loaded = Factory->LoadNamed(BitmapName);
    }
    if (Loaded) {
        FSmallBitmap = Loaded->Stretched(SmallSize, SmallSize);
        FBitmap = std::move(Loaded);
    }
}

const IPicture* TBitmappedListEntry::GetBitmap(bool Small) const {
    return Small ? FSmallBitmap.get() : FBitmap.get();
}

IListItem& TBitmappedListEntry::AddToListView(IListView& View, int32_t Tag) {
    IListItem& Item = View.AddItem();
    if (IImageList* Large = View.LargeImages(); Large && FBitmap) {
        Item.SetImageIndex(Large->Add(*FBitmap));
    }
    if (IImageList* Small = View.SmallImages(); Small && FSmallBitmap) {
        Small->Add(*FSmallBitmap);
    }
    UpdateListItem(View, Item, Tag);
    return Item;
}

void TBitmappedListEntry::UpdateListItem(IListView& View, IListItem& Item, int32_t Tag) {
    if (IImageList* Large = View.LargeImages(); Large && FBitmap) {
        Large->Replace(Item.ImageIndex(), *FBitmap);
    }
    if (IImageList* Small = View.SmallImages(); Small && FSmallBitmap) {
        Small->Replace(Item.ImageIndex(), *FSmallBitmap);
    }
    Item.SetCaption(GetDescription(DisplayKind));
    SetListItemColumns(Item, Tag);
    Item.SetData(this);
}

void TBitmappedListEntry::SetListItemColumns(IListItem&, int32_t) {}

ITreeNode& TBitmappedListEntry::AddToTreeView(ITreeView& Tree, ITreeNode* ParentNode, int32_t) {
    ITreeNode& Node = Tree.AddChild(ParentNode, "Node");
    if (FSmallBitmap) {
        const int32_t Image = Tree.Images().Add(*FSmallBitmap);
        Node.SetImageIndex(Image);
        Node.SetSelectedIndex(Image);
    }
    UpdateTreeNode(Tree, Node);
    return Node;
}

void TBitmappedListEntry::UpdateTreeNode(ITreeView& Tree, ITreeNode& Node) {
    if (FSmallBitmap) {
        Tree.Images().Replace(Node.ImageIndex(), *FSmallBitmap);
    }
    Node.SetText(GetDescription(DisplayKind));
    Node.SetData(this);
}

void TBitmappedListEntry::Store(TObjectStream& Stream) const {
    TSimpleListEntry::Store(Stream);
    Stream.WriteInteger(PictureMarker);
    Stream.WriteString(BitmapName);
    Stream.WriteString(BitmapFile);
}

void TBitmappedListEntry::CopyTo(TStreamableObject& Dest) const {
    TSimpleListEntry::CopyTo(Dest);
    auto& Entry = CastTo<TBitmappedListEntry>(Dest);
    Entry.BitmapName = BitmapName;
    Entry.BitmapFile = BitmapFile;
    Entry.FBitmap = CloneOf(FBitmap);
    Entry.FSmallBitmap = CloneOf(FSmallBitmap);
}

void TBitmappedListEntry::VisitFields(TFieldVisitor& Visitor) {
    TSimpleListEntry::VisitFields(Visitor);
    Visitor.String("BitmapName", BitmapName);
    Visitor.String("BitmapFile", BitmapFile);
}

}  // namespace tulma
