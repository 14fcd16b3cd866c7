#include "layout_picture.h"

#include <QBuffer>
#include <QFile>
#include <cstring>

#include "layout_stream.h"

namespace design {

namespace {

uint32_t u32(const std::string& s, std::size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

uint16_t u16(const std::string& s, std::size_t at) {
  return uint16_t(static_cast<unsigned char>(s[at]) | (static_cast<unsigned char>(s[at + 1]) << 8));
}

bool fail(std::string* why, const char* text) {
  if (why) *why = text;
  return false;
}

QImage decodeBmp(const std::string& bmp) {
  return QImage::fromData(reinterpret_cast<const uchar*>(bmp.data()), int(bmp.size()), "BMP");
}

std::string encodeBmp(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes.toStdString();
}

std::string withCount(const std::string& bmp) {
  std::string out(4, '\0');
  const uint32_t n = uint32_t(bmp.size());
  for (int i = 0; i < 4; ++i) out[i] = char((n >> (8 * i)) & 0xFF);
  return out + bmp;
}

}  // namespace

bool checkBmp(const std::string& b, std::string* why) {
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return fail(why, "not a BMP file");
  const uint32_t offset = u32(b, 10), header = u32(b, 14);
  if (header != 12 && header != 40 && header != 52 && header != 56 && header != 108 && header != 124)
    return fail(why, "unknown BMP header");
  if (14ull + header > b.size()) return fail(why, "BMP header runs past the data");
  int64_t width, height;
  unsigned bits;
  uint32_t compression = 0;
  if (header == 12) {
    width = u16(b, 18);
    height = int16_t(u16(b, 20));
    bits = u16(b, 24);
  } else {
    width = int32_t(u32(b, 18));
    height = int32_t(u32(b, 22));
    bits = u16(b, 28);
    compression = u32(b, 30);
  }
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return fail(why, "BMP size out of range");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return fail(why, "BMP bit count");
  if (offset > b.size()) return fail(why, "BMP pixels start past the data");
  // Uncompressed rows are padded to four bytes; all of them must be there.
  if (compression == 0 || compression == 3 || compression == 6) {
    const uint64_t row = ((uint64_t(width) * bits + 31) / 32) * 4;
    if (offset + row * uint64_t(height) > b.size()) return fail(why, "BMP pixels run past the data");
  } else if (compression != 1 && compression != 2) {
    return fail(why, "BMP compression");
  }
  return true;
}

LayoutPicture LayoutPicture::fromStored(const std::string& binary) {
  if (binary.empty()) return {};
  const std::size_t nameLength = static_cast<unsigned char>(binary[0]);
  if (nameLength > 63 || 1 + nameLength > binary.size()) throw LayoutError("Invalid property value");
  const std::string className = binary.substr(1, nameLength);
  LayoutPicture p;
  p.data = binary.substr(1 + nameLength);
  if (className == "TBitmap") {
    if (p.data.size() < 4 || u32(p.data, 0) != p.data.size() - 4) throw LayoutError("Bitmap image is not valid");
    const std::string bmp = p.data.substr(4);
    if (bmp.empty()) return {};  // an empty bitmap holds no graphic
    if (!checkBmp(bmp)) throw LayoutError("Bitmap image is not valid");
    p.image = decodeBmp(bmp);
    if (p.image.isNull()) throw LayoutError("Bitmap image is not valid");
    p.kind = Kind::Bitmap;
  } else if (className == "TIcon") {
    p.image = QImage::fromData(reinterpret_cast<const uchar*>(p.data.data()), int(p.data.size()), "ICO");
    if (p.image.isNull()) throw LayoutError("Icon image is not valid");
    p.kind = Kind::Icon;
  } else if (className == "TMetafile") {
    p.kind = Kind::Metafile;
  } else {
    throw LayoutError("Invalid property value");
  }
  return p;
}

std::string LayoutPicture::stored() const {
  const char* name = kind == Kind::Bitmap ? "TBitmap" : kind == Kind::Icon ? "TIcon" : "TMetafile";
  return std::string(1, char(std::strlen(name))) + name + data;
}

LayoutPicture LayoutPicture::fromImage(const QImage& image) {
  LayoutPicture p;
  p.kind = Kind::Bitmap;
  p.image = image;
  p.data = withCount(encodeBmp(image));
  return p;
}

std::optional<LayoutPicture> LayoutPicture::fromFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const std::string bytes = file.readAll().toStdString();
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    if (!checkBmp(bytes)) return std::nullopt;
    LayoutPicture p;
    p.image = decodeBmp(bytes);
    if (p.image.isNull()) return std::nullopt;
    p.kind = Kind::Bitmap;
    p.data = withCount(bytes);  // the file as it is
    return p;
  }
  // Placeable and plain Windows metafiles: kept for the layout, not drawn here.
  if (path.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive) && bytes.size() >= 22 &&
      (u32(bytes, 0) == 0x9AC6CDD7u || u16(bytes, 0) == 1 || u16(bytes, 0) == 2)) {
    LayoutPicture p;
    p.kind = Kind::Metafile;
    p.data = bytes;
    return p;
  }
  const QImage image = QImage::fromData(QByteArray::fromStdString(bytes));
  if (image.isNull() || image.width() > 32767 || image.height() > 32767) return std::nullopt;
  return fromImage(image);
}

}  // namespace design
