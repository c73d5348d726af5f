#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The controls and pictures that list entries present themselves in, as the window code offers them.
// The persistence code knows no widget toolkit; the windows implement these.
namespace tulma {

class TListEntry;

class IPicture {
  public:
    virtual ~IPicture() = default;
    virtual std::unique_ptr<IPicture> Clone() const = 0;
    // This picture drawn stretched into a new one of the given size.
    virtual std::unique_ptr<IPicture> Stretched(int32_t Width, int32_t Height) const = 0;
};

// Makes pictures: empty ones, from files and from the program's named images.
class IPictureFactory {
  public:
    virtual ~IPictureFactory() = default;
    virtual std::unique_ptr<IPicture> CreateEmpty(int32_t Width, int32_t Height) const = 0;
    // None when the file cannot be read as a picture.
    virtual std::unique_ptr<IPicture> LoadFile(const std::string& FileName) const = 0;
    // None when the program has no image of that name.
    virtual std::unique_ptr<IPicture> LoadNamed(const std::string& Name) const = 0;
};

// The factory that list entries use; without one they carry no pictures.
const IPictureFactory* PictureFactory();
void SetPictureFactory(const IPictureFactory* Factory);

class IStringGrid {
  public:
    virtual ~IStringGrid() = default;
    virtual int32_t RowCount() const = 0;
    virtual void SetRowCount(int32_t Rows) = 0;
    virtual void SetFixedRows(int32_t Rows) = 0;
    virtual int32_t ColCount() const = 0;
    virtual std::string Cell(int32_t Col, int32_t Row) const = 0;
    virtual void SetCell(int32_t Col, int32_t Row, const std::string& Text) = 0;
    virtual void SetCellObject(int32_t Col, int32_t Row, TListEntry* Entry) = 0;
};

class IImageList {
  public:
    virtual ~IImageList() = default;
    // The index of the added picture.
    virtual int32_t Add(const IPicture& Picture) = 0;
    virtual void Replace(int32_t Index, const IPicture& Picture) = 0;
};

class IListItem {
  public:
    virtual ~IListItem() = default;
    virtual int32_t ImageIndex() const = 0;
    virtual void SetImageIndex(int32_t Index) = 0;
    virtual void SetCaption(const std::string& Caption) = 0;
    virtual void SetData(TListEntry* Entry) = 0;
};

class IListView {
  public:
    virtual ~IListView() = default;
    virtual IListItem& AddItem() = 0;
    // None when the view has no such image list.
    virtual IImageList* LargeImages() = 0;
    virtual IImageList* SmallImages() = 0;
};

class ITreeNode {
  public:
    virtual ~ITreeNode() = default;
    virtual int32_t ImageIndex() const = 0;
    virtual void SetImageIndex(int32_t Index) = 0;
    virtual void SetSelectedIndex(int32_t Index) = 0;
    virtual void SetText(const std::string& Text) = 0;
    virtual void SetData(TListEntry* Entry) = 0;
};

class ITreeView {
  public:
    virtual ~ITreeView() = default;
    // A new child of Parent (of the root when Parent is none).
    virtual ITreeNode& AddChild(ITreeNode* Parent, const std::string& Text) = 0;
    virtual IImageList& Images() = 0;
};

}  // namespace tulma
