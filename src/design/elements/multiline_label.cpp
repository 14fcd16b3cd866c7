#include "multiline_label.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>
#include <cmath>

#include "design/forms/field_selection_box.h"
#include "design/forms/form_support.h"
#include "design/forms/multiline_forms.h"
#include "design/layout_stream.h"
#include "design/screen_ppi.h"
#include "platform/ansi_text.h"
#include "platform/modal.h"
#include "platform/print/canvas.h"

namespace design {

namespace {
std::vector<std::string> toFile(const QStringList& lines) {
  std::vector<std::string> out;
  for (const QString& l : lines) out.push_back(platform::toFileText(l));
  return out;
}
}  // namespace

QStringList WrapLines(const QStringList& lines, const QFont& font, int width) {
  QStringList out;
  for (const QString& line : lines) {
    if (line.isEmpty()) {
      out << QString();
      continue;
    }
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine tl = layout.createLine(); tl.isValid(); tl = layout.createLine()) {
      tl.setLineWidth(std::max(1, width));
      // A break at a blank leaves the blank at the end of the line, as an edit box does.
      out << line.mid(tl.textStart(), tl.textLength());
    }
    layout.endLayout();
  }
  return out;
}

TGMultiLineBaseLabel::TGMultiLineBaseLabel(QObject* owner) : TGGraphicControl(owner) {
  font_ = ElementFont::of(QStringLiteral("Arial"), 10);
  SetInitialSize(190, 33);
}

void TGMultiLineBaseLabel::SetItems(const QStringList& lines) {
  items_ = lines;
  if (wordWrap_) wrapped_ = WrapLines(items_, ScreenFont(), WrapWidth());
  Repaint();
}

void TGMultiLineBaseLabel::SetAlignment(TextAlignment value) {
  alignment_ = value;
  Repaint();
}

void TGMultiLineBaseLabel::SetFont(const ElementFont& font) {
  font_ = font;
  if (wordWrap_) Rewrap();
  Repaint();
}

void TGMultiLineBaseLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  if (wordWrap_) Rewrap();
  Repaint();
  if (!Reading()) NotifyChanged();
}

void TGMultiLineBaseLabel::Rewrap() {
  wrapped_ = WrapLines(items_, ScreenFont(), WrapWidth());
  Repaint();
}

void TGMultiLineBaseLabel::BoundsChanged() {
  TGGraphicControl::BoundsChanged();
  if (wordWrap_ && !Reading()) Rewrap();
}

void TGMultiLineBaseLabel::WriteProperties(LayoutWriter& w) const {
  TGGraphicControl::WriteProperties(w);
  if (!items_.isEmpty()) w.strings("Items", toFile(items_));
  w.boolean("AutoSize", autoSize_);
  if (alignment_ != TextAlignment::LeftJustify) w.identifier("Alignment", kAlignmentNames[int(alignment_)]);
  font_.write(w);
  if (wordWrap_) w.boolean("WordWrap", true);
}

bool TGMultiLineBaseLabel::ReadProperty(const StoredProperty& p) {
  if (p.name == "Items.Strings") {
    QStringList lines;
    for (const std::string& l : stringsOf(p.value)) lines << platform::fromFileText(l);
    SetItems(lines);
  } else if (p.name == "AutoSize") {
    autoSize_ = booleanOf(p.value);
  } else if (p.name == "Alignment") {
    SetAlignment(TextAlignment(enumOf(p.value, kAlignmentNames, 3)));
  } else if (p.name == "WordWrap") {
    SetWordWrap(booleanOf(p.value));
  } else if (font_.read(p)) {
    if (wordWrap_) Rewrap();
  } else {
    return TGGraphicControl::ReadProperty(p);
  }
  return true;
}

void TGMultiLineBaseLabel::BuildMenu() {
  if (Menu()) return;
  TGGraphicControl::BuildMenu();
  Menu()->addSeparator();
  Menu()->addAction(QStringLiteral("Font"), this, &TGMultiLineBaseLabel::ChooseFont);
  AddAlignmentMenu(Menu(), this, alignEntries_, [this](TextAlignment v) {
    SetAlignment(v);
    NotifyChanged();
  });
}

void TGMultiLineBaseLabel::AddWordWrapEntry() {
  wordWrapEntry_ = Menu()->addAction(QStringLiteral("Word Wrap"));
  wordWrapEntry_->setCheckable(true);
  connect(wordWrapEntry_, &QAction::triggered, this, [this] { SetWordWrap(!wordWrap_); });
}

void TGMultiLineBaseLabel::MenuOpening() {
  for (int i = 0; i < 3; ++i)
    if (alignEntries_[i]) alignEntries_[i]->setChecked(int(alignment_) == i);
  if (wordWrapEntry_) wordWrapEntry_->setChecked(wordWrap_);
}

void TGMultiLineBaseLabel::ApplyFont(const ElementFont& font) {
  font_ = font;
  RefreshData();
  if (wordWrap_) Rewrap();
}

void TGMultiLineBaseLabel::ChooseFont() {
  if (auto chosen = chooseFont(font_.dialogFont())) {
    font_.takeDialogFont(*chosen);
    RefreshData();
    if (wordWrap_) Rewrap();
    Repaint();
  }
}

void TGMultiLineBaseLabel::SizeToContents() {
  if (wordWrap_) Rewrap();
  const QStringList lines = ShownLines();
  const QFontMetrics fm(ScreenFont());
  int widest = 0;
  for (const QString& l : lines) widest = std::max(widest, fm.horizontalAdvance(l));
  SetBounds(Left(), Top(), std::max(Width(), widest), int(lines.size()) * (fm.ascent() + fm.descent()));
}

void TGMultiLineBaseLabel::Paint(QPainter& painter) {
  QStringList lines = ShownLines();
  if (lines.isEmpty()) lines << Placeholder();
  else if (lines.size() == 1 && Trim(lines[0]).isEmpty()) lines << Placeholder();
  const QFont font = ScreenFont();
  const QFontMetrics fm(font);
  const int lineH = fm.ascent() + fm.descent();
  painter.save();
  painter.translate(Left(), Top());
  painter.setClipRect(QRect(0, 0, Width(), Height()));
  painter.setFont(font);
  painter.setPen(toQColor(font_.color));
  int y = 0;
  for (const QString& line : lines) {
    const int w = fm.horizontalAdvance(line);
    int x = 0;
    if (alignment_ == TextAlignment::RightJustify) x = Width() - (w + 1);
    if (alignment_ == TextAlignment::Center) x = Width() / 2 - w / 2 + 1;
    painter.drawText(QPointF(x, y + fm.ascent()), line);
    y += lineH;
  }
  painter.restore();
  DrawMarks(painter);
}

void TGMultiLineBaseLabel::PrintOn(print::Canvas& target, double x0, double y0) {
  const QStringList lines = ShownLines();
  const double ppi = PixelsPerInch();
  const double dpi = target.deviceDpi();
  const int one = static_cast<int>(std::trunc(dpi / ppi));
  print::FontSpec printed = font_.printFont();
  printed.underline = false;
  printed.rotation = 0;
  target.setFont(printed);
  target.setBrush({Qt::white, true});
  // The printed line is 120 % of the point size.
  const int lineH = RoundHalfEven(printed.size / 60.0 * dpi);
  const double leftInch = x0 + Left() / ppi;
  const int rl = RoundHalfEven(leftInch * dpi), rt = RoundHalfEven((y0 + Top() / ppi) * dpi);
  const int rr = RoundHalfEven((x0 + (Left() + Width()) / ppi) * dpi);
  const int rb = RoundHalfEven((y0 + (Top() + Height()) / ppi) * dpi);
  int y = rt;
  for (const QString& line : lines) {
    const int top = y;
    int bottom = top + lineH;
    y = bottom;
    if (top >= rb) break;
    bottom = std::min(bottom, rb);
    const int w = RoundHalfEven(target.textWidth(line) * dpi);
    int x = 0;
    if (alignment_ == TextAlignment::RightJustify) x = rr - rl - w - one;
    if (alignment_ == TextAlignment::Center) x = (rr - rl) / 2 + one - w / 2;
    target.textRect(rl / dpi, top / dpi, rr / dpi, bottom / dpi, leftInch + x / dpi, top / dpi, line);
  }
}

void TGMultiLineLabel::BuildMenu() {
  if (Menu()) return;
  TGMultiLineBaseLabel::BuildMenu();
  Menu()->addSeparator();
  Menu()->addAction(QStringLiteral("Text"), this, [this] { EditText(); });
  AddWordWrapEntry();
}

bool TGMultiLineLabel::EditText() {
  TMultiLineTextEditor form(Items(), Font());
  if (platform::runModal(form) != QDialog::Accepted) return false;
  SetItems(form.Lines());
  Repaint();
  if (WordWrap()) Rewrap();
  NotifyChanged();
  return true;
}

void TGDMultiLineLabel::WriteProperties(LayoutWriter& w) const {
  TGMultiLineBaseLabel::WriteProperties(w);
  if (!fieldName_.isEmpty()) w.string("DataFieldName", platform::toFileText(fieldName_));
  if (!fieldDescript_.isEmpty()) w.string("DataFieldDescript", platform::toFileText(fieldDescript_));
}

bool TGDMultiLineLabel::ReadProperty(const StoredProperty& p) {
  if (p.name == "DataFieldName") fieldName_ = platform::fromFileText(stringOf(p.value));
  else if (p.name == "DataFieldDescript") fieldDescript_ = platform::fromFileText(stringOf(p.value));
  else return TGMultiLineBaseLabel::ReadProperty(p);
  return true;
}

void TGDMultiLineLabel::BuildMenu() {
  if (Menu()) return;
  TGMultiLineBaseLabel::BuildMenu();
  Menu()->addSeparator();
  Menu()->addAction(QStringLiteral("Memo Field"), this, &TGDMultiLineLabel::ChooseMemoField);
  AddWordWrapEntry();
}

void TGDMultiLineLabel::RefreshData() {
  ElementPanel* panel = Panel();
  if (!panel) return;
  const bool printing = panel->printing();
  const auto field = FindDataField(panel->dataFields(), fieldDescript_);
  QStringList lines;
  if (field) {
    if (panel->displayDataValues() || printing) {
      const QString text = platform::fromFileText(panel->fieldText(field->name).value_or(std::string()));
      if (!text.isEmpty()) {
        QStringList paragraphs = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
        if (paragraphs.size() > 1 && paragraphs.back().isEmpty()) paragraphs.removeLast();
        lines = WordWrap() ? WrapLines(paragraphs, ScreenFont(), WrapWidth()) : paragraphs;
      }
    } else {
      lines << QLatin1Char('[') + fieldDescript_ + QLatin1Char(']');
    }
  } else if (!printing) {
    lines << QStringLiteral("<undefined memo>");
  }
  SetItemsQuietly(lines);
  if (WordWrap()) SetWrappedLines(lines);
  if (!printing) Repaint();
}

void TGDMultiLineLabel::ChooseMemoField() {
  ElementPanel* panel = Panel();
  if (!panel) return;
  QString name = fieldName_, descript = fieldDescript_;
  if (ChooseDataField(panel->dataFields(), [](const DataField& f) { return f.type == 'M'; }, name, descript)) {
    fieldName_ = name;
    fieldDescript_ = descript;
    NotifyChanged();
  }
  panel->refreshData();
}

}  // namespace design
