// Recorded pages: every drawing call of a print job, in inches from the
// physical page's top-left corner, kept per page. The same recording is
// rendered onto the printer, into a PDF file, or into the preview's images,
// so the preview shows exactly what the printer gets.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <variant>
#include <vector>

namespace print {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };
enum class PenMode { Copy, Xor, NotXor };

struct PenSpec {
  QColor color = Qt::black;
  PenStyle style = PenStyle::Solid;
  PenMode mode = PenMode::Copy;
  int width = 1;  // > 0 device pixels; < 0 hundredths of an inch; 0 the thinnest line
  bool operator==(const PenSpec&) const = default;
};

struct BrushSpec {
  QColor color = Qt::white;
  bool clear = true;  // no fill
  bool operator==(const BrushSpec&) const = default;
};

struct FontSpec {
  QString name = QStringLiteral("Arial");
  double size = 10;  // points
  bool bold = false, italic = false, underline = false;
  QColor color = Qt::black;
  double rotation = 0;  // degrees, counter-clockwise
  bool operator==(const FontSpec&) const = default;
};

// The QFont for a font description (size in points).
QFont qfontFor(const FontSpec& font);

namespace op {
struct Pen { PenSpec pen; };
struct Brush { BrushSpec brush; };
struct Font { FontSpec font; };
struct Rect { QRectF r; };
struct RoundRect { QRectF r; double rx, ry; };
struct Ellipse { QRectF r; };
struct Line { QPointF from, to; };
struct Text { QPointF baseline; QString text; };          // at the baseline's left end
struct ClippedText { QRectF clip; QPointF baseline; QString text; };
struct Image { QRectF r; std::shared_ptr<const QImage> image; };
struct Fill { QRectF r; QColor color; };                  // a solid area, no outline
}  // namespace op

using Op = std::variant<op::Pen, op::Brush, op::Font, op::Rect, op::RoundRect, op::Ellipse, op::Line, op::Text,
                        op::ClippedText, op::Image, op::Fill>;

struct Page {
  QSizeF size;  // inches
  std::vector<Op> ops;
};

class PageStream {
 public:
  int pageCount() const { return int(pages_.size()); }
  const Page& page(int i) const { return pages_[std::size_t(i)]; }
  void add(Page page) { pages_.push_back(std::move(page)); }
  void clear() { pages_.clear(); }

  // Draws a page on a painter whose device has `dpi` dots per inch, the
  // page's top-left corner at the painter's origin.
  static void render(const Page& page, QPainter& painter, double dpi);
  // The page as an image at `dpi`, white background.
  QImage image(int i, double dpi) const;
  // Writes every page to a PDF file; false when the file cannot be written.
  bool writePdf(const QString& path) const;

 private:
  std::vector<Page> pages_;
};

}  // namespace print
