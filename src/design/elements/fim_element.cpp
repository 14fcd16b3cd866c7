#include "fim_element.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <cmath>

#include "design/layout_stream.h"
#include "design/screen_ppi.h"

namespace design {

namespace {
const char* const kTypeNames[] = {"fimTypeA", "fimTypeB", "fimTypeC"};
int trunc(double v) { return static_cast<int>(std::trunc(v)); }
}  // namespace

TGFIMBarCode::TGFIMBarCode(QObject* owner) : TGGraphicControl(owner) {
  const int ppi = PixelsPerInch();
  SetInitialSize(trunc(ppi * 0.625), trunc(ppi * 0.5625));
}

void TGFIMBarCode::SetFIMType(FimType type) {
  if (type == type_) return;
  type_ = type;
  Repaint();
}

void TGFIMBarCode::WriteProperties(LayoutWriter& w) const {
  TGGraphicControl::WriteProperties(w);
  w.identifier("FIMType", kTypeNames[int(type_)]);
}

bool TGFIMBarCode::ReadProperty(const StoredProperty& p) {
  if (p.name != "FIMType") return TGGraphicControl::ReadProperty(p);
  SetFIMType(FimType(enumOf(p.value, kTypeNames, 3)));
  return true;
}

void TGFIMBarCode::BuildMenu() {
  if (Menu()) return;
  TGGraphicControl::BuildMenu();
  Menu()->addSeparator();
  const char* captions[] = {"Set FIM to Type A", "Set FIM to Type B", "Set FIM to Type C"};
  for (int i = 0; i < 3; ++i) {
    typeEntries_[i] = Menu()->addAction(QString::fromLatin1(captions[i]));
    typeEntries_[i]->setCheckable(true);
    connect(typeEntries_[i], &QAction::triggered, this, [this, i] {
      NotifyChanged();
      SetFIMType(FimType(i));
    });
  }
}

void TGFIMBarCode::MenuOpening() {
  for (int i = 0; i < 3; ++i)
    if (typeEntries_[i]) typeEntries_[i]->setChecked(int(type_) == i);
}

void TGFIMBarCode::Paint(QPainter& painter) {
  const int ppi = PixelsPerInch();
  const int w = trunc(ppi * 0.625 * Scale());
  if (Width() != w || Height() != w) SetBounds(Left(), Top(), w, w);
  const int b = trunc(ppi * 0.03125 * Scale());
  const int h = trunc(ppi * 0.5625 * Scale());
  for (int k : fimBarColumns(type_)) painter.fillRect(QRect(Left() + b * (k - 1), Top(), b, h), Qt::black);
  BoundsChanged();
  DrawMarks(painter);
}

void TGFIMBarCode::PrintOn(print::Canvas& target, double originLeft, double originTop) {
  const double ppi = PixelsPerInch();
  printFim(target, originLeft + Left() / ppi, originTop + Top() / ppi, type_);
}

}  // namespace design
