// Single-line text: TGBaseLabel (one line in one font, aligned, turned by
// 0/90/180/270 degrees, on an optional background, with a shadow and a
// highlight copy underneath for a 3D look) and free text, TGPLabel. Data
// fields, counters, symbols, dates and page numbers derive from the base.
#pragma once

#include <QPoint>

#include "design/element_style.h"
#include "design/elements/text_alignment.h"
#include "design/graphic_control.h"

class QActionGroup;

namespace design {

// Left, top, right, bottom with the right and bottom edges outside, as the
// layout arithmetic counts them.
struct EdgeRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  EdgeRect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
  bool operator==(const EdgeRect&) const = default;
};

class TGBaseLabel : public TGGraphicControl {
  Q_OBJECT

 public:
  explicit TGBaseLabel(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGBaseLabel"); }

  TextAlignment Alignment() const { return alignment_; }
  void SetAlignment(TextAlignment value);
  int DepthHighlight() const { return depthHighlight_; }
  void SetDepthHighlight(int value);
  int DepthShadow() const { return depthShadow_; }
  void SetDepthShadow(int value);
  // 0 none, 1 right, 2 left, 3 up right, 4 up left, 5 up.
  int DirectionHighlight() const { return directionHighlight_; }
  void SetDirectionHighlight(int value);
  // 0 none, 1 right, 2 left, 3 down right, 4 down left, 5 down.
  int DirectionShadow() const { return directionShadow_; }
  void SetDirectionShadow(int value);
  TColor ColorHighlight() const { return colorHighlight_; }
  void SetColorHighlight(TColor value);
  TColor ColorShadow() const { return colorShadow_; }
  void SetColorShadow(TColor value);
  int Angle() const { return angle_; }
  void SetAngle(int value);  // 0, 90, 180 or 270; anything else is ignored
  QString Caption() const { return caption_; }
  void SetCaption(const QString& value);
  const ElementFont& Font() const { return font_; }
  void SetFont(const ElementFont& font);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor value);

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;

  void BuildMenu() override;
  void MenuOpening() override;
  void ApplyFont(const ElementFont& font) override;
  void BoundsChanged() override;
  void Paint(QPainter& painter) override;
  void PrintOn(print::Canvas& target, double originLeft, double originTop) override;

  // Recomputes the text rectangles and origins while the layout is dirty,
  // and keeps the element's size within what its text needs.
  void Relayout();
  void MarkLayoutDirty() { dirty_ = true; }
  // Grows the element to fit its caption (unrotated text only).
  void AutoSize();
  virtual void ChooseFont();
  // The 3D effects form; true when it closed with Ok.
  bool EditEffects();

  // The layout's results, in element coordinates.
  EdgeRect MainRect() const { return main_; }
  EdgeRect ShadowRect() const { return shadow_; }
  EdgeRect HighlightRect() const { return highlight_; }
  QPoint MainOrigin() const { return mainOrigin_; }
  QPoint ShadowOrigin() const { return shadowOrigin_; }
  QPoint HighlightOrigin() const { return highlightOrigin_; }
  // Width of `text` in the element's screen font (scaled, unrotated).
  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;

  QAction* TransparentEntry() const { return transparentEntry_; }

 protected:
  // Kinds that make their own text set the caption here before painting
  // (`printingOn` null) and before printing on a target.
  virtual void UpdateCaption(const print::Canvas* printingOn) { (void)printingOn; }
  // Whether the menu offers "Font" and "Alignment" (symbols do not).
  virtual bool OffersFontEntries() const { return true; }
  // Sets the caption from data or a rule: no change is reported for it.
  void SetCaptionQuietly(const QString& value) {
    caption_ = value;
    dirty_ = true;
  }
  // The "Rotation" submenu of free text and counters.
  void AddRotationMenu();

 private:
  QString shownText() const;  // the caption as drawn in the element's font
  void drawCopy(QPainter& painter, const QFont& font, const EdgeRect& clip, QPoint origin, const QColor& colour);

  TextAlignment alignment_ = TextAlignment::LeftJustify;
  int depthHighlight_ = 0, depthShadow_ = 0;
  int directionHighlight_ = 4, directionShadow_ = 3;
  TColor colorHighlight_ = clAqua, colorShadow_ = clGray;
  int angle_ = 0;
  QString caption_ = QStringLiteral("Text");
  ElementFont font_;
  bool transparent_ = true;
  TColor backColor_ = clWhite;

  bool dirty_ = true;
  int sx_ = 0, sy_ = 0, hx_ = 0, hy_ = 0;
  EdgeRect main_, shadow_, highlight_;
  QPoint mainOrigin_, shadowOrigin_, highlightOrigin_;
  QAction* transparentEntry_ = nullptr;
  QAction* alignEntries_[3] = {nullptr, nullptr, nullptr};
};

class TGPLabel : public TGBaseLabel {
  Q_OBJECT

 public:
  explicit TGPLabel(QObject* owner) : TGBaseLabel(owner) {}
  QString ClassName() const override { return QStringLiteral("TGPLabel"); }

  void BuildMenu() override;
  void ChooseFont() override;
  // The text entry form; on Ok the new caption, then AutoSize.
  void EditText();
  void EditAfterCreate() { EditText(); }
};

}  // namespace design
