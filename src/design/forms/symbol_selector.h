// "Symbol Selector": the 224 characters 32 to 255 of the symbol element's
// font laid out in a grid, and the font button.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTableWidget>

#include "design/element_style.h"
#include "design/forms/form_support.h"

namespace design {

// Columns of the grid for a list font of `points`.
int SymbolColumns(int points);
// The font button's caption: "Name, 24pt Bold " (italic wins over bold).
QString SymbolFontCaption(const QString& name, int points, bool bold, bool italic);

class TGetSymbol : public QDialog {
  Q_OBJECT

 public:
  TGetSymbol(const ElementFont& font, const QString& caption, QWidget* parent = nullptr);
  static constexpr int kListPoints = 14;  // the grid's own size

  QTableWidget* SymbolGrid;
  QPushButton* FontButton;
  FormButtons Buttons;

  // The selected position (character code - 32), -1 for none.
  int SelectedPosition() const;
  void SelectPosition(int position);
  QString SelectedCharacter() const;
  const ElementFont& SampleFont() const { return sample_; }
  // The font dialog's result, as the "&Font" button takes it.
  void TakeFont(const QFont& chosen);

 private:
  void fillGrid();

  ElementFont sample_;
  ElementFont listFont_;
};

}  // namespace design
