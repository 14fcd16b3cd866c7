#include "symbol_selector.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "design/fonts.h"
#include "platform/ansi_text.h"

namespace design {

int SymbolColumns(int points) {
  if (points >= 6 && points <= 10) return 14;
  if (points >= 11 && points <= 20) return 10;
  if (points >= 21 && points <= 30) return 8;
  if (points >= 31 && points <= 40) return 6;
  if (points >= 41 && points <= 50) return 4;
  if (points >= 51 && points <= 60) return 3;
  if (points >= 61 && points <= 72) return 2;
  return 1;
}

QString SymbolFontCaption(const QString& name, int points, bool bold, bool italic) {
  QString caption = name + QStringLiteral(", ") + QString::number(points) + QStringLiteral("pt ");
  if (italic) caption += QStringLiteral("Italic ");
  else if (bold) caption += QStringLiteral("Bold ");
  return caption;
}

TGetSymbol::TGetSymbol(const ElementFont& font, const QString& caption, QWidget* parent)
    : QDialog(parent), sample_(font), listFont_(font) {
  setObjectName(QStringLiteral("TGetSymbol"));
  setWindowTitle(QStringLiteral("Symbol Selector"));
  listFont_.setSize(kListPoints);
  SymbolGrid = new QTableWidget(this);
  SymbolGrid->horizontalHeader()->hide();
  SymbolGrid->verticalHeader()->hide();
  SymbolGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SymbolGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  FontButton = new QPushButton(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SymbolGrid, 1);
  layout->addWidget(FontButton);
  Buttons = addFormButtons(*this, *layout, 40005);
  connect(FontButton, &QPushButton::clicked, this, [this] {
    if (auto chosen = chooseFont(sample_.dialogFont())) TakeFont(*chosen);
  });
  connect(SymbolGrid, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
  fillGrid();
  const std::string code = platform::toFileText(caption.left(1));
  if (!code.empty()) SelectPosition(static_cast<unsigned char>(code[0]) - 32);
  resize(520, 440);
}

void TGetSymbol::fillGrid() {
  const int selected = SelectedPosition();
  const int columns = SymbolColumns(kListPoints);
  SymbolGrid->clear();
  SymbolGrid->setColumnCount(columns);
  SymbolGrid->setRowCount((224 + columns - 1) / columns);
  const QFont font = listFont_.screenFont();
  for (int i = 0; i < 224; ++i) {
    const char byte = static_cast<char>(i + 32);
    auto* item = new QTableWidgetItem(glyphText(listFont_.name, platform::fromFileText(std::string(1, byte))));
    item->setFont(font);
    item->setForeground(toQColor(listFont_.color));
    item->setTextAlignment(Qt::AlignCenter);
    SymbolGrid->setItem(i / columns, i % columns, item);
  }
  SymbolGrid->resizeColumnsToContents();
  SymbolGrid->resizeRowsToContents();
  FontButton->setText(SymbolFontCaption(listFont_.name, kListPoints, listFont_.bold, listFont_.italic));
  if (selected >= 0) SelectPosition(selected);
}

int TGetSymbol::SelectedPosition() const {
  const int columns = SymbolGrid->columnCount();
  if (!columns || SymbolGrid->currentRow() < 0 || SymbolGrid->currentColumn() < 0) return -1;
  const int position = SymbolGrid->currentRow() * columns + SymbolGrid->currentColumn();
  return position < 224 ? position : -1;
}

void TGetSymbol::SelectPosition(int position) {
  if (position < 0 || position >= 224) return;
  const int columns = SymbolGrid->columnCount();
  SymbolGrid->setCurrentCell(position / columns, position % columns);
}

QString TGetSymbol::SelectedCharacter() const {
  const int position = SelectedPosition();
  if (position < 0) return QString();
  return platform::fromFileText(std::string(1, static_cast<char>(position + 32)));
}

void TGetSymbol::TakeFont(const QFont& chosen) {
  sample_.takeDialogFont(chosen);
  const ElementFont before = listFont_;
  listFont_.takeDialogFont(chosen);
  listFont_.height = before.height;  // the grid keeps its own size
  fillGrid();
}

}  // namespace design
