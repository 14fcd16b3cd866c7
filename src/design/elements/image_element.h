// The picture element, TGImage: a bitmap (or icon or metafile) drawn
// stretched to the element or at its own size; printed always filling the
// element's rectangle.
#pragma once

#include "design/graphic_control.h"
#include "design/layout_picture.h"

namespace design {

class TGImage : public TGGraphicControl {
  Q_OBJECT

 public:
  explicit TGImage(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGImage"); }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  const LayoutPicture& Picture() const { return picture_; }
  void SetPicture(const LayoutPicture& picture);
  // Whether the toolkit may skip painting under the element.
  bool Opaque() const { return opaque_; }

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;
  void MenuOpening() override;
  void Paint(QPainter& painter) override;
  void PrintOn(print::Canvas& target, double originLeft, double originTop) override;

  // "Load Image From Disk": the image browser, then the chosen file.
  void LoadImageFromDisk();
  // Loads `path`; on failure "Error loading file!" and no picture. True when loaded.
  bool LoadFile(const QString& path);

 private:
  void pictureChanged();

  bool autoSize_ = false, stretch_ = true, opaque_ = false;
  LayoutPicture picture_;
  QAction *stretchEntry_ = nullptr, *autoSizeEntry_ = nullptr;
};

}  // namespace design
