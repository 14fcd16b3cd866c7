// The inch canvas every printed thing of the program draws on: shapes, text,
// fonts, pens and brushes; margins and the section they leave, the current
// position and lines of the current font; tab stops with boxes and shading;
// pages. Coordinates are inches from the physical page's top-left corner.
// The canvas records into pages; its job decides where pages go (printer,
// PDF file, preview stream).
#pragma once

#include <QImage>
#include <QString>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "page_stream.h"

namespace print {

enum class Justify { Left, Center, Right };

struct TabStop {
  double position = 0;  // inches from the page's left edge
  double width = 1;
  Justify justify = Justify::Left;
  double margin = 0;    // inner margin, inches
  bool boxLeft = false, boxRight = false, boxTop = false, boxBottom = false;
  int shade = 0;        // percent of black behind the cell
};

class Canvas {
 public:
  // `finishPage` receives each page as it is completed; `newPageHandler`
  // runs at the start of every page after the first.
  Canvas(QSizeF pageSize, int deviceDpi, std::function<void(Page&&)> finishPage);

  // Paper and device.
  double pageWidth() const { return page_.size.width(); }
  double pageHeight() const { return page_.size.height(); }
  int deviceDpi() const { return dpi_; }
  // The printable area's offsets from the paper's edges (0 for files and previews).
  double offsetLeft() const { return offsetLeft_; }
  double offsetTop() const { return offsetTop_; }
  void setPrintableOffsets(double left, double top);

  // Drawing state.
  void setFont(const FontSpec& font);
  const FontSpec& font() const { return font_; }
  void setFontName(const QString& name);
  void setFontSize(double points);
  void setBold(bool on);
  void setItalic(bool on);
  void setUnderline(bool on);
  void setFontColor(const QColor& color);
  void setFontRotation(double degrees);
  void setPen(const PenSpec& pen);
  const PenSpec& pen() const { return pen_; }
  void setBrush(const BrushSpec& brush);

  // Shapes.
  void rectangle(double x1, double y1, double x2, double y2);
  void roundRect(double x1, double y1, double x2, double y2, double rx, double ry);
  void ellipse(double x1, double y1, double x2, double y2);
  void moveTo(double x, double y);
  void lineTo(double x, double y);
  void fillRect(double x1, double y1, double x2, double y2, const QColor& color);
  void stretchDraw(double x1, double y1, double x2, double y2, const QImage& image);

  // Text. Metrics are those of the current font, in inches.
  double ascent() const;
  double descent() const;
  double lineHeight() const;
  double textWidth(const QString& text) const;
  // Text whose top-left corner is at (x, y).
  void textAt(double x, double y, const QString& text);
  // Text at (x, y) (top-left), drawn only inside the rectangle.
  void textRect(double x1, double y1, double x2, double y2, double x, double y, const QString& text);
  // On the current line: starting at, ending at, or centred on x.
  void printLeft(const QString& text, double x);
  void printRight(const QString& text, double x);
  void printCenter(const QString& text, double x);
  // At the current position, moving x past the text.
  void print(const QString& text);
  void println(const QString& text = QString());

  // Margins, the section they leave, the position.
  void setMargins(double left, double top, double right, double bottom);
  void setMarginLeft(double v);
  void setMarginTop(double v);
  void setMarginRight(double v);
  void setMarginBottom(double v);
  void resetSection();  // the section back to the margins
  void setSection(double left, double top, double right, double bottom);
  double sectionLeft() const { return section_[0]; }
  double sectionTop() const { return section_[1]; }
  double sectionRight() const { return section_[2]; }
  double sectionBottom() const { return section_[3]; }
  double x() const { return x_; }
  double y() const { return y_; }  // top of the current line
  void gotoXY(double x, double y);
  void newLine();
  void home();  // the first line of the section
  // Whole lines of the current font that still fit above the section's bottom.
  int linesLeft() const;

  // Tab stops. A position of NaN starts a stop where the previous one ends.
  void clearTabs();
  void setTab(double position, double width, Justify justify, double margin, bool boxLeft, bool boxRight,
              bool boxTop, bool boxBottom, int shade);
  static constexpr double kAfterPrevious = std::numeric_limits<double>::quiet_NaN();
  // Prints in the current tab stop's cell (shade, text, box lines) and moves to the next one.
  void tab(const QString& text);
  // Moves to the next tab stop without printing.
  void nextTab();
  // The left edge of the current tab stop (the section's left before the first).
  double tabStart() const;
  void pushTabs();
  void popTabs();

  // Pages.
  int pageNumber() const { return pageNumber_; }
  void newPage();
  void setNewPageHandler(std::function<void(Canvas&)> handler) { newPageHandler_ = std::move(handler); }
  // Once this says the job is aborted, newPage() starts no more pages.
  void setAbortCheck(std::function<bool()> aborted) { abortCheck_ = std::move(aborted); }
  // Hands the page in progress to the job (at the end of the job).
  void finish();

 private:
  void record(Op op) { page_.ops.push_back(std::move(op)); }
  void baselineText(double left, const QString& text);
  QPointF baselineFor(double x, double y) const;
  void startPage();

  int dpi_;
  std::function<void(Page&&)> finishPage_;
  std::function<void(Canvas&)> newPageHandler_;
  std::function<bool()> abortCheck_;
  Page page_;
  int pageNumber_ = 1;
  double offsetLeft_ = 0, offsetTop_ = 0;

  FontSpec font_;
  PenSpec pen_;
  BrushSpec brush_;
  double margins_[4] = {0, 0, 0, 0};   // left, top, right, bottom (inches from each edge)
  double section_[4] = {0, 0, 0, 0};   // left, top, right, bottom (inches from the top-left corner)
  double x_ = 0, y_ = 0;               // current position
  double penX_ = 0, penY_ = 0;         // move-to / line-to position
  std::vector<TabStop> tabs_;
  int currentTab_ = -1;                // -1 before the first tab of a line
  std::vector<std::pair<std::vector<TabStop>, int>> tabStack_;
  bool finished_ = false;
};

}  // namespace print
