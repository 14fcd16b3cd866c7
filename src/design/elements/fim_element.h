// The FIM mark element of the envelope panel: one of the three patterns,
// drawn as a 0.625-inch square on screen and printed at its true size.
#pragma once

#include "design/elements/fim_marks.h"
#include "design/graphic_control.h"

class QAction;

namespace design {

class TGFIMBarCode : public TGGraphicControl {
  Q_OBJECT

 public:
  explicit TGFIMBarCode(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGFIMBarCode"); }

  FimType FIMType() const { return type_; }
  void SetFIMType(FimType type);

  void WriteProperties(LayoutWriter& writer) const override;
  bool ReadProperty(const StoredProperty& property) override;
  void BuildMenu() override;
  void MenuOpening() override;
  void Paint(QPainter& painter) override;
  void PrintOn(print::Canvas& target, double originLeft, double originTop) override;

 private:
  FimType type_ = FimType::A;
  QAction* typeEntries_[3] = {};
};

}  // namespace design
