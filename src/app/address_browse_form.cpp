#include "address_browse_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "field_edit.h"
#include "platform/prompts.h"

namespace app {

BrowseModel::BrowseModel(data::DataSet& dataSet, std::vector<int> columns, QObject* parent)
    : QAbstractTableModel(parent), dataSet_(dataSet), columns_(std::move(columns)) {
  reload();
}

void BrowseModel::reload() {
  beginResetModel();
  rows_ = dataSet_.active() ? dataSet_.cursor().viewSnapshot() : std::vector<uint32_t>();
  endResetModel();
}

int BrowseModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int BrowseModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

void BrowseModel::setCurrentRow(int row) {
  int old = currentRow_;
  currentRow_ = row;
  if (old >= 0 && old < rowCount()) emit headerDataChanged(Qt::Vertical, old, old);
  if (row >= 0 && row < rowCount()) emit headerDataChanged(Qt::Vertical, row, row);
}

int BrowseModel::rowOf(uint32_t recno) const {
  auto it = std::find(rows_.begin(), rows_.end(), recno);
  return it == rows_.end() ? -1 : int(it - rows_.begin());
}

QVariant BrowseModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const data::DataField& f = dataSet_.fields()[std::size_t(columns_[std::size_t(index.column())])];
  uint32_t recno = rows_[std::size_t(index.row())];
  return fromFileText(dataSet_.textOf(recno, f.name));
}

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section == currentRow_ ? QVariant(QStringLiteral("\u25B6")) : QVariant(QString());
  return QString::fromStdString(dataSet_.fields()[std::size_t(columns_[std::size_t(section)])].label);
}

TAddressBrowseForm::TAddressBrowseForm(data::DataSet& dataSet, const std::vector<std::string>& fieldOrder,
                                       std::function<void()> toggleTag, QWidget* parent)
    : QDialog(parent), dataSet_(dataSet), order_(fieldOrder), toggleTag_(std::move(toggleTag)) {
  setObjectName(QStringLiteral("TAddressBrowseForm"));
  setWindowTitle(QStringLiteral("Address Browse"));
  std::vector<int> columns;
  for (const std::string& name : order_) {
    int i = dataSet_.fieldIndex(name);
    if (i >= 0 && dataSet_.fields()[std::size_t(i)].visible) columns.push_back(i);
  }
  Model = new BrowseModel(dataSet_, columns, this);
  Grid = new QTableView(this);
  Grid->setModel(Model);
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid->horizontalHeader()->setSectionsMovable(true);
  Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 4);
  Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->verticalHeader()->setMinimumWidth(Grid->fontMetrics().horizontalAdvance(QChar(0x25B6)) + 8);
  Grid->setShowGrid(true);
  const int charWidth = Grid->fontMetrics().averageCharWidth();
  for (int c = 0; c < int(columns.size()); ++c) {
    const data::DataField& f = dataSet_.fields()[std::size_t(columns[std::size_t(c)])];
    int chars = f.displayWidth > 0 ? f.displayWidth : (f.size > 0 ? std::min(f.size, 30) : 8);
    Grid->setColumnWidth(c, std::max(chars * charWidth + 8, int(f.label.size()) * charWidth + 12));
  }
  auto button = [this](const char* text) {
    auto* b = new QPushButton(QString::fromLatin1(text), this);
    b->setAutoDefault(false);
    return b;
  };
  OkButton = button("Ok");
  HelpButton = button("Help");
  FirstButton = button("|<");
  PriorButton = button("<");
  NextButton = button(">");
  LastButton = button(">|");
  TagButton = button("&Tag");
  OkButton->setDefault(true);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {OkButton, HelpButton, FirstButton, PriorButton, NextButton, LastButton, TagButton})
    buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Grid, 1);
  layout->addLayout(buttons);
  resize(760, 480);

  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(FirstButton, &QPushButton::clicked, this, [this] { moveTo(0); });
  connect(LastButton, &QPushButton::clicked, this, [this] { moveTo(Model->rowCount() - 1); });
  connect(NextButton, &QPushButton::clicked, this, [this] {
    int row = Grid->currentIndex().row();
    if (row + 1 >= Model->rowCount()) platform::prompts().beep();
    else moveTo(row + 1);
  });
  connect(PriorButton, &QPushButton::clicked, this, [this] {
    int row = Grid->currentIndex().row();
    if (row <= 0) platform::prompts().beep();
    else moveTo(row - 1);
  });
  connect(TagButton, &QPushButton::clicked, this, &TAddressBrowseForm::TagButtonClick);
  connect(Grid, &QTableView::doubleClicked, this, &TAddressBrowseForm::TagButtonClick);
  connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid()) return;
            Model->setCurrentRow(current.row());
            dataSet_.go(Model->recnoAt(current.row()));
          });
  int start = Model->rowOf(dataSet_.recno());
  if (Model->rowCount() > 0) moveTo(start >= 0 ? start : 0);
}

void TAddressBrowseForm::moveTo(int row) {
  if (row < 0 || row >= Model->rowCount()) return;
  QModelIndex index = Model->index(row, std::max(0, Grid->currentIndex().column()));
  Grid->setCurrentIndex(index);
  Grid->scrollTo(index);
}

void TAddressBrowseForm::TagButtonClick() {
  if (!toggleTag_ || Model->rowCount() == 0) return;
  uint32_t recno = dataSet_.recno();
  toggleTag_();
  // Tagging can take the record out of a filtered view.
  Model->reload();
  int row = Model->rowOf(recno);
  moveTo(row >= 0 ? row : std::min(Grid->currentIndex().row(), Model->rowCount() - 1));
  if (row < 0 && Model->rowCount() > 0) moveTo(0);
}

std::vector<std::string> TAddressBrowseForm::fieldOrder() const {
  // Visible fields in the order the user left the columns, in the places they held.
  std::vector<std::string> visible;
  const QHeaderView* header = Grid->horizontalHeader();
  for (int v = 0; v < header->count(); ++v)
    visible.push_back(dataSet_.fields()[std::size_t(Model->columns()[std::size_t(header->logicalIndex(v))])].name);
  std::vector<std::string> out = order_;
  std::size_t next = 0;
  for (std::string& name : out) {
    int i = dataSet_.fieldIndex(name);
    if (i >= 0 && dataSet_.fields()[std::size_t(i)].visible && next < visible.size()) name = visible[next++];
  }
  return out;
}

}  // namespace app
