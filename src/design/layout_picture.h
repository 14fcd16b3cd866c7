// A picture as layouts hold it: "Picture.Data" is the graphic's class name
// as a short string ("TBitmap", "TIcon", "TMetafile") and the graphic's own
// data; a bitmap's data is a 4-byte count and a Windows BMP file. Stored
// data is checked before anything is decoded or allocated from it.
#pragma once

#include <QImage>
#include <optional>
#include <string>

namespace design {

struct LayoutPicture {
  enum class Kind { None, Bitmap, Icon, Metafile };
  Kind kind = Kind::None;
  QImage image;      // what is drawn (null for a metafile, which is kept but not drawn)
  std::string data;  // the graphic's own data as stored, written back unchanged

  bool empty() const { return kind == Kind::None; }
  QSize size() const { return image.size(); }

  // Reads "Picture.Data"; throws LayoutError for data that is not a picture.
  static LayoutPicture fromStored(const std::string& binary);
  std::string stored() const;
  // Loads a picture file (BMP, WMF, and the image formats Qt reads); nothing when it cannot.
  static std::optional<LayoutPicture> fromFile(const QString& path);
  // A bitmap made from an image.
  static LayoutPicture fromImage(const QImage& image);
};

// Whether `bytes` are a BMP file whose headers agree with its size; `why` says what is wrong.
bool checkBmp(const std::string& bytes, std::string* why = nullptr);

}  // namespace design
