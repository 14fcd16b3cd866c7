// Multi-line text: the base TGMultiLineBaseLabel (lines in one font and
// alignment, optionally wrapped to the element's width), free multi-line
// text TGMultiLineLabel and the memo element TGDMultiLineLabel, which shows
// the current record's memo field.
#pragma once

#include <QStringList>

#include "design/element_style.h"
#include "design/elements/base_label.h"
#include "design/graphic_control.h"

namespace design {

// Breaks `lines` at word boundaries (and inside words wider than the
// width) to fit `width` pixels in `font`, as a multi-line edit box does.
QStringList WrapLines(const QStringList& lines, const QFont& font, int width);

class TGMultiLineBaseLabel : public TGGraphicControl {
  Q_OBJECT

 public:
  explicit TGMultiLineBaseLabel(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGMultiLineBaseLabel"); }

  QStringList Items() const { return items_; }
  void SetItems(const QStringList& lines);
  bool AutoSizeFlag() const { return autoSize_; }
  void SetAutoSizeFlag(bool value) { autoSize_ = value; }
  TextAlignment Alignment() const { return alignment_; }
  void SetAlignment(TextAlignment value);
  const ElementFont& Font() const { return font_; }
  void SetFont(const ElementFont& font);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  QStringList WrappedLines() const { return wrapped_; }

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;
  void MenuOpening() override;
  void ApplyFont(const ElementFont& font) override;
  void BoundsChanged() override;
  void Paint(QPainter& painter) override;
  void PrintOn(print::Canvas& target, double originLeft, double originTop) override;

  virtual void Rewrap();
  void SizeToContents();
  void ChooseFont();
  // The lines painted and printed: the wrapped ones when wrapping.
  QStringList ShownLines() const { return wordWrap_ ? wrapped_ : items_; }

 protected:
  // The placeholder shown for no lines ("<blank>"; "<blank memo>" for memos).
  virtual QString Placeholder() const { return QStringLiteral("<blank>"); }
  void SetItemsQuietly(const QStringList& lines) { items_ = lines; }
  void SetWrappedLines(const QStringList& lines) { wrapped_ = lines; }
  QFont ScreenFont() const { return font_.screenFont(Scale()); }
  // Lines wrap a pixel inside each edge, as in an edit box, so that
  // right-aligned and centred lines keep clear of the element's edges.
  int WrapWidth() const { return Width() - 2; }
  void AddWordWrapEntry();

 private:
  QStringList items_, wrapped_;
  bool autoSize_ = false;
  TextAlignment alignment_ = TextAlignment::LeftJustify;
  ElementFont font_;
  bool wordWrap_ = false;
  QAction* alignEntries_[3] = {nullptr, nullptr, nullptr};
  QAction* wordWrapEntry_ = nullptr;
};

class TGMultiLineLabel : public TGMultiLineBaseLabel {
  Q_OBJECT

 public:
  explicit TGMultiLineLabel(QObject* owner) : TGMultiLineBaseLabel(owner) {}
  QString ClassName() const override { return QStringLiteral("TGMultiLineLabel"); }
  void BuildMenu() override;
  // The multi-line text editor; true when it closed with Ok.
  bool EditText();
};

class TGDMultiLineLabel : public TGMultiLineBaseLabel {
  Q_OBJECT

 public:
  explicit TGDMultiLineLabel(QObject* owner) : TGMultiLineBaseLabel(owner) {}
  QString ClassName() const override { return QStringLiteral("TGDMultiLineLabel"); }

  QString DataFieldName() const { return fieldName_; }
  void SetDataFieldName(const QString& value) { fieldName_ = value; }
  QString DataFieldDescript() const { return fieldDescript_; }
  void SetDataFieldDescript(const QString& value) { fieldDescript_ = value; }

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;
  void RefreshData() override;
  void ClearData() override { SetItemsQuietly({}); }
  void Rewrap() override { RefreshData(); }
  // The field selection form over the panel's memo fields.
  void ChooseMemoField();

 protected:
  QString Placeholder() const override { return QStringLiteral("<blank memo>"); }

 private:
  QString fieldName_, fieldDescript_;
};

}  // namespace design
