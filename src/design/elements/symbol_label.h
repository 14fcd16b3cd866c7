// The symbol, TGSymbolLabel: one character of a symbol font, always sized
// to 110 % of its glyph, chosen in the symbol selector.
#pragma once

#include "design/elements/base_label.h"

namespace design {

class TGSymbolLabel : public TGBaseLabel {
  Q_OBJECT

 public:
  explicit TGSymbolLabel(QObject* owner);
  QString ClassName() const override { return QStringLiteral("TGSymbolLabel"); }

  void BuildMenu() override;
  // The panel's "Font" command leaves symbols alone.
  void ApplyFont(const ElementFont&) override {}
  void BoundsChanged() override;
  // The symbol selector; true when it closed with Ok.
  bool SelectSymbol();

 protected:
  bool OffersFontEntries() const override { return false; }

 private:
  bool fitting_ = false;
};

}  // namespace design
