// Colours as layouts keep them (0x00BBGGRR, or a system colour number with
// the high bit set) and the objects elements own: the font, the pen and the
// brush, each with its stored properties ("Font.Height", "Pen.Width", ...).
#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QString>
#include <cstdint>

#include "platform/print/page_stream.h"

namespace design {

class LayoutWriter;
struct StoredProperty;

using TColor = uint32_t;
constexpr TColor clBlack = 0x000000, clGray = 0x808080, clSilver = 0xC0C0C0, clYellow = 0x00FFFF,
                 clAqua = 0xFFFF00, clWhite = 0xFFFFFF, clNone = 0x1FFFFFFF;

QColor toQColor(TColor color);
TColor fromQColor(const QColor& color);

// Rounds a * b / c to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);

enum class FontPitch { Default, Variable, Fixed };

struct ElementFont {
  QString name = QStringLiteral("Arial");
  int height = 0;  // pixels at the screen's PPI; negative: the character height
  TColor color = clBlack;
  bool bold = false, italic = false, underline = false, strikeOut = false;
  FontPitch pitch = FontPitch::Default;

  // `points` at the current PPI.
  static ElementFont of(const QString& name, int points);

  int size() const;  // points at the current PPI
  void setSize(int points);

  // The screen font at `scale` (the point size truncated after scaling).
  QFont screenFont(float scale = 1.0f) const;
  // The printer's font: the unscaled point size.
  print::FontSpec printFont() const;
  // What a font dialog starts from and hands back (name, size, style).
  QFont dialogFont() const;
  void takeDialogFont(const QFont& font);

  void write(LayoutWriter& writer, const std::string& prefix = "Font") const;
  // Takes "Font.Color" and its kin; false for any other name.
  bool read(const StoredProperty& property, const std::string& prefix = "Font");

  bool operator==(const ElementFont&) const = default;
};

// Pen modes and styles by their stored positions (pmCopy = 4, psSolid = 0).
struct ElementPen {
  TColor color = clBlack;
  int mode = 4;
  int style = 0;
  int width = 1;

  QPen screenPen(int width) const;
  print::PenSpec printPen(int width) const;
  void write(LayoutWriter& writer) const;
  bool read(const StoredProperty& property);
  bool operator==(const ElementPen&) const = default;
};

// Brush styles: bsSolid = 0, bsClear = 1, then the hatches.
struct ElementBrush {
  TColor color = clWhite;
  int style = 0;

  QBrush screenBrush() const;
  print::BrushSpec printBrush() const;
  void write(LayoutWriter& writer) const;
  bool read(const StoredProperty& property);
  bool operator==(const ElementBrush&) const = default;
};

}  // namespace design
