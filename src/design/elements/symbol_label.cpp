#include "symbol_label.h"

#include <QMenu>
#include <cmath>

#include "design/forms/symbol_selector.h"
#include "platform/modal.h"

namespace design {

TGSymbolLabel::TGSymbolLabel(QObject* owner) : TGBaseLabel(owner) {
  SetFont(ElementFont::of(QStringLiteral("WingDings"), 24));
  SetCaptionQuietly(QStringLiteral("["));
}

void TGSymbolLabel::BuildMenu() {
  if (Menu()) return;
  TGBaseLabel::BuildMenu();
  Menu()->addSeparator();
  Menu()->addAction(QStringLiteral("Symbol Selector"), this, [this] { SelectSymbol(); });
}

void TGSymbolLabel::BoundsChanged() {
  TGBaseLabel::BoundsChanged();
  // Only on a design panel; a printing panel takes the stored size.
  if (Reading() || fitting_ || !Panel() || Panel()->printing()) return;
  const int w = static_cast<int>(std::trunc(1.1 * TextWidth(Caption())));
  const int h = static_cast<int>(std::trunc(1.1 * TextHeight(Caption())));
  if (w != Width() || h != Height()) {
    fitting_ = true;
    SetBounds(Left(), Top(), w, h);
    fitting_ = false;
  }
  Panel()->postRefit();
}

bool TGSymbolLabel::SelectSymbol() {
  TGetSymbol form(Font(), Caption());
  if (platform::runModal(form) != QDialog::Accepted) return false;
  SetFont(form.SampleFont());
  SetCaption(form.SelectedCharacter());
  BoundsChanged();
  Repaint();
  return true;
}

}  // namespace design
