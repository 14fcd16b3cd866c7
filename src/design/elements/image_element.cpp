#include "image_element.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPainter>

#include "design/forms/image_browser.h"
#include "design/layout_stream.h"
#include "design/screen_ppi.h"
#include "platform/modal.h"
#include "platform/print/canvas.h"
#include "platform/prompts.h"

namespace design {

TGImage::TGImage(QObject* owner) : TGGraphicControl(owner) { SetInitialSize(105, 105); }

void TGImage::SetAutoSize(bool value) {
  autoSize_ = value;
  if (value) stretch_ = false;
  pictureChanged();
  if (!Reading()) NotifyChanged();
}

void TGImage::SetStretch(bool value) {
  stretch_ = value;
  if (value && autoSize_) SetAutoSize(false);
  Repaint();
}

void TGImage::SetPicture(const LayoutPicture& picture) {
  picture_ = picture;
  pictureChanged();
}

void TGImage::pictureChanged() {
  const QSize size = picture_.size();
  if (autoSize_ && size.width() >= 1 && size.height() >= 1) SetBounds(Left(), Top(), size.width(), size.height());
  opaque_ = picture_.kind == LayoutPicture::Kind::Bitmap && picture_.size() == BoundsRect().size();
  Repaint();
}

void TGImage::WriteProperties(LayoutWriter& w) const {
  TGGraphicControl::WriteProperties(w);
  if (autoSize_) w.boolean("AutoSize", true);
  if (!picture_.empty()) w.binary("Picture.Data", picture_.stored());
  if (!stretch_) w.boolean("Stretch", false);
}

bool TGImage::ReadProperty(const StoredProperty& p) {
  if (p.name == "AutoSize") SetAutoSize(booleanOf(p.value));
  else if (p.name == "Picture.Data") SetPicture(LayoutPicture::fromStored(binaryOf(p.value)));
  else if (p.name == "Stretch") SetStretch(booleanOf(p.value));
  else return TGGraphicControl::ReadProperty(p);
  return true;
}

void TGImage::BuildMenu() {
  if (Menu()) return;
  TGGraphicControl::BuildMenu();
  Menu()->addSeparator();
  Menu()->addAction(QStringLiteral("Load Image From Disk"), this, &TGImage::LoadImageFromDisk);
  Menu()->addSeparator();
  stretchEntry_ = Menu()->addAction(QStringLiteral("Stretch to Fit"));
  stretchEntry_->setCheckable(true);
  connect(stretchEntry_, &QAction::triggered, this, [this] {
    SetStretch(!stretch_);
    Repaint();
  });
  autoSizeEntry_ = Menu()->addAction(QStringLiteral("AutoSize"));
  autoSizeEntry_->setCheckable(true);
  connect(autoSizeEntry_, &QAction::triggered, this, [this] {
    SetAutoSize(!autoSize_);
    Repaint();
  });
}

void TGImage::MenuOpening() {
  if (stretchEntry_) stretchEntry_->setChecked(stretch_);
  if (autoSizeEntry_) autoSizeEntry_->setChecked(autoSize_);
}

bool TGImage::LoadFile(const QString& path) {
  auto loaded = LayoutPicture::fromFile(path);
  if (!loaded) {
    platform::prompts().error("Error loading file!");
    SetPicture(LayoutPicture());
    return false;
  }
  picture_ = *loaded;
  return true;
}

void TGImage::LoadImageFromDisk() {
  const QString remembered = QDir::currentPath();
  TGImageBrowser form(stretch_, autoSize_);
  if (platform::runModal(form) == QDialog::Accepted && !form.SelectedFile().isEmpty()) {
    if (LoadFile(form.SelectedFile())) {
      // The two boxes already exclude each other.
      stretch_ = form.StretchBox->isChecked();
      autoSize_ = form.AutoSizeBox->isChecked();
      pictureChanged();
      NotifyChanged();
    }
  }
  QDir::setCurrent(remembered);
}

void TGImage::Paint(QPainter& painter) {
  const QSize size = picture_.size();
  const bool sized = size.width() >= 1 && size.height() >= 1;
  if (Scale() == 1.0f && autoSize_ && sized) SetBounds(Left(), Top(), size.width(), size.height());
  painter.save();
  painter.translate(Left(), Top());
  painter.setClipRect(QRect(0, 0, Width(), Height()));
  if (!picture_.image.isNull()) {
    // A zoomed picture is always stretched.
    const QRect target = stretch_ || Scale() != 1.0f ? QRect(0, 0, Width(), Height()) : QRect(QPoint(0, 0), size);
    painter.drawImage(target, picture_.image);
  } else {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(0, 0, Width() - 1, Height() - 1));
  }
  painter.restore();
  DrawMarks(painter);
}

void TGImage::PrintOn(print::Canvas& target, double x0, double y0) {
  // Icons and metafiles are not printed; bitmaps always fill the element.
  if (picture_.kind != LayoutPicture::Kind::Bitmap) return;
  const double ppi = PixelsPerInch();
  target.stretchDraw(x0 + Left() / ppi, y0 + Top() / ppi, x0 + (Left() + Width()) / ppi,
                     y0 + (Top() + Height()) / ppi, picture_.image);
}

}  // namespace design
