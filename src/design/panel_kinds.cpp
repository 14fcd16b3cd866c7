#include "panel_kinds.h"

#include <QPainter>
#include <cmath>

#include "element_classes.h"
#include "screen_ppi.h"
#include "platform/prompts.h"

namespace design {

namespace {

void showStateCursor(TGBasePanel& panel, bool pointing) {
  panel.SetPointing(pointing);
  panel.SetScreenCursor(pointing ? TGBasePanel::Default : TGBasePanel::Drag);
}

}  // namespace

TGLabelPanel::TGLabelPanel(QObject* owner, QWidget* parent) : TGDataPanel(owner, parent) {
  RegisterElementClasses({"TGLineShape", "TGPostNetBarCode", "TGImage", "TGLabelShapes", "TGPLabel", "TGPDLabel",
                          "TGCounterLabel", "TGSymbolLabel", "TGMultiLineLabel", "TGDMultiLineLabel",
                          "TGDMultiLineAddressLabel"});
}

void TGLabelPanel::SetPanelState(TLPanelState state) {
  if (state == state_) return;
  state_ = state;
  showStateCursor(*this, state == psPointing);
}

void TGLabelPanel::CreateElementInRect(QRect rect) {
  static const ElementKind kinds[] = {ElementKind::FreeText,  ElementKind::FreeText,       ElementKind::Counter,
                                      ElementKind::Symbol,    ElementKind::DataField,      ElementKind::MultiLine,
                                      ElementKind::Memo,      ElementKind::Address,        ElementKind::Rectangle,
                                      ElementKind::Ellipse,   ElementKind::RoundRectangle, ElementKind::Line,
                                      ElementKind::Image,     ElementKind::PostNet};
  if (state_ == psPointing) return;
  CreateKind(kinds[state_], rect, false);
}

TEnvelopePanel::TEnvelopePanel(QObject* owner, QWidget* parent) : TGDataPanel(owner, parent) {
  RegisterElementClasses({"TGLineShape", "TGPostNetBarCode", "TGFIMBarCode", "TGImage", "TGLabelShapes", "TGPLabel",
                          "TGPDLabel", "TGMultiLineLabel", "TGDMultiLineAddressLabel"});
}

void TEnvelopePanel::SetPanelState(TLPanelState state) {
  if (state == state_) return;
  state_ = state;
  showStateCursor(*this, state == psPointing);
}

void TEnvelopePanel::CreateElementInRect(QRect rect) {
  static const ElementKind kinds[] = {ElementKind::FreeText,  ElementKind::FreeText,  ElementKind::DataField,
                                      ElementKind::MultiLine, ElementKind::Address,   ElementKind::Rectangle,
                                      ElementKind::Ellipse,   ElementKind::RoundRectangle, ElementKind::Line,
                                      ElementKind::Image,     ElementKind::PostNet,   ElementKind::Fim};
  if (state_ == psPointing) return;
  CreateKind(kinds[state_], rect, false);
}

int TEnvelopePanel::AddressAreaLeft() const {
  const double ppi = PixelsPerInch(), scale = GetScale();
  auto f = [&](double inches) { return static_cast<int>(std::trunc(ppi * inches * scale)); };
  // Envelopes narrower than 10.25 inches start the area half an inch in; wider ones 9.75 inches from the right.
  return static_cast<int>(std::trunc(width() / scale)) < static_cast<int>(std::trunc(ppi * 10.25)) ? f(0.5)
                                                                                                     : width() - f(9.75);
}

void TEnvelopePanel::PaintOverSheet(QPainter& p) {
  const double ppi = PixelsPerInch(), scale = GetScale();
  auto f = [&](double inches) { return static_cast<int>(std::trunc(ppi * inches * scale)); };
  const int W = width(), H = height();
  if (ShowTemplate) {
    p.save();
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(QColor(239, 239, 239));
    QFont font = ElementFont::of(QStringLiteral("Arial"), std::max(1, static_cast<int>(std::trunc(scale * 8)))).screenFont();
    p.setFont(font);
    const int xa = AddressAreaLeft();
    auto box = [&](int l, int t, int r, int b) { p.drawRect(QRect(l, t, r - l - 1, b - t - 1)); };
    box(1, 1, W / 2, std::min(H - f(2.75), H / 3));
    box(W - f(4), H - f(0.625), W - f(0.5), H - 1);
    box(xa, H - f(2.75), W - f(0.5), H - f(0.625));
    box(W - f(3), 1, W - f(2), f(0.625));
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(QColor(192, 192, 192));
    p.setPen(Qt::black);
    const QFontMetrics fm(font);
    auto caption = [&](int x, int y, const char* text) { p.drawText(QPoint(x, y + fm.ascent()), QString::fromLatin1(text)); };
    caption(3, 3, "[Return Address Area]");
    caption(W - f(4) + 2, H - f(0.625) + 2, "[Barcode Clear Zone]");
    caption(xa + 2, H - f(2.75) + 2, "[Address Area]");
    caption(W - f(3) + 2, 3, "[FIM Area]");
    p.restore();
  }
  if (ShowUnprintable) {
    p.save();
    QPen pen(QColor(255, 0, 0), 1);
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    auto t = [&](int v) { return static_cast<int>(std::trunc(v * scale)); };
    const int l = t(MarginLeft), top = t(MarginTop), r = t(PageWidth - MarginRight), b = t(PageHeight - MarginBottom);
    p.drawRect(QRect(l, top, r - l - 1, b - top - 1));
    p.restore();
  }
}

TReportPanel::TReportPanel(QObject* owner, QWidget* parent) : TGDataPanel(owner, parent) {
  RegisterElementClasses({"TGLineShape", "TGImage", "TGPLabel", "TGPDLabel", "TGDMultiLineLabel", "TGDateTimeLabel",
                          "TGPageNumberLabel", "Trpshapes", "TGSymbolLabel"});
}

void TReportPanel::SetPanelState(TRPanelState state) {
  if (state == state_) return;
  state_ = state;
  showStateCursor(*this, state == psPointing);
}

void TReportPanel::CreateElementInRect(QRect rect) {
  struct BandRule {
    TRPanelState state;
    bool (*allowed)(TRPanelKind);
    const char* message;
  };
  static const BandRule rules[] = {
      {psMultiLineDataLabel, [](TRPanelKind k) { return k == rpkMemo; }, "This object may only be used in the memo band"},
      {psDataLabel, [](TRPanelKind k) { return k == rpkDetail; }, "This object may only be used in the detail band"},
      {psDateTime, [](TRPanelKind k) { return k == rpkHeader || k == rpkFooter; },
       "This object may only be used in the header or footer bands"},
      {psPageNumber, [](TRPanelKind k) { return k == rpkHeader || k == rpkFooter; },
       "This object may only be used in the header or footer bands"},
      {psImage, [](TRPanelKind k) { return k == rpkHeader; }, "This object may only be used in the header band"},
  };
  for (const BandRule& r : rules)
    if (state_ == r.state && !r.allowed(PAnelKind)) {
      platform::prompts().beep();
      platform::prompts().info(r.message);
      return;
    }
  static const ElementKind kinds[] = {ElementKind::FreeText,  ElementKind::FreeText, ElementKind::DataField,
                                      ElementKind::Memo,      ElementKind::Line,     ElementKind::Image,
                                      ElementKind::DateTime,  ElementKind::PageNumber, ElementKind::Symbol,
                                      ElementKind::Rectangle, ElementKind::Ellipse,  ElementKind::RoundRectangle};
  if (state_ == psPointing) return;
  CreateKind(kinds[state_], rect, true);
}

void TReportPanel::ElementMouseDown(TGGraphicControl* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                    QPoint p) {
  TGDataPanel::ElementMouseDown(sender, button, shift, p);
  if (ControlMouseDownEvent) ControlMouseDownEvent(this);
}

void TReportPanel::PanelMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p) {
  if (!AcceptsPress) {
    platform::prompts().beep();
    return;
  }
  TGDataPanel::PanelMouseDown(button, modifiers, p);
}

void TReportPanel::ClampElements() {
  Handle()->ClearSelection();
  const auto all = elements();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    if ((*it)->Top() > height()) (*it)->SetTop(height());
    if ((*it)->Left() > width()) (*it)->SetLeft(width());
  }
}

void TReportPanel::DropStrayElements() {
  Handle()->ClearSelection();
  const auto all = elements();
  for (auto it = all.rbegin(); it != all.rend(); ++it)
    if ((*it)->Top() > height() + 10 || (*it)->Left() > width() + 10) FreeElement(*it);
}

}  // namespace design
