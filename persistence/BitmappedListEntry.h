#pragma once

#include <memory>
#include <string>

#include "ListControls.h"
#include "ListEntry.h"

namespace tulma {

// A named entry with a picture from a file or from the program's named images. The pictures are
// not stored; they are loaded again whenever the entry is read.
class TBitmappedListEntry : public TSimpleListEntry {
  public:
    static constexpr int32_t ClassCode = 1005;
    static constexpr const char* ClassName = "TBitmappedListEntry";
    static constexpr int32_t SmallSize = 16;

    TBitmappedListEntry();
    explicit TBitmappedListEntry(TObjectStream& Stream);

    std::string BitmapName;
    std::string BitmapFile;

    void LoadBitmaps();
    const IPicture* GetBitmap(bool Small) const override;
    virtual uint32_t GetMaskColor() const { return 0; }
    virtual IListItem& AddToListView(IListView& View, int32_t Tag);
    virtual void UpdateListItem(IListView& View, IListItem& Item, int32_t Tag);
    virtual void SetListItemColumns(IListItem& Item, int32_t Tag);
    virtual ITreeNode& AddToTreeView(ITreeView& Tree, ITreeNode* ParentNode, int32_t Tag);
    virtual void UpdateTreeNode(ITreeView& Tree, ITreeNode& Node);

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    // The constant that stands between the name and the picture names in a stream.
    static constexpr int32_t PictureMarker = 100;

    void MakeEmptyPictures();

    std::unique_ptr<IPicture> FBitmap;
    std::unique_ptr<IPicture> FSmallBitmap;
};

}  // namespace tulma
