// "Address Browse" (TAddressBrowseForm): the current view as a table, one
// row per record in the current order with the user's filter, the visible
// fields of the record view as columns in the user's order (FIELDS.LST).
// The model reads rows on demand from a snapshot of record numbers; the
// table itself is never copied into memory. Selecting a row makes it the
// main window's current record.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QPushButton>
#include <QTableView>
#include <functional>
#include <vector>

#include "data/data_set.h"

namespace app {

class BrowseModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // `columns`: indexes into the data set's fields, in column order.
  BrowseModel(data::DataSet& dataSet, std::vector<int> columns, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Takes the view anew (after a tag changed what the filter lets through).
  void reload();
  uint32_t recnoAt(int row) const { return rows_[std::size_t(row)]; }
  int rowOf(uint32_t recno) const;
  const std::vector<int>& columns() const { return columns_; }
  // The row the record indicator points at.
  void setCurrentRow(int row);

 private:
  data::DataSet& dataSet_;
  std::vector<int> columns_;
  std::vector<uint32_t> rows_;  // record numbers of the view, in order
  int currentRow_ = -1;         // row of the record indicator
};

class TAddressBrowseForm : public QDialog {
  Q_OBJECT
 public:
  // `fieldOrder`: all field names of the record view in column order.
  TAddressBrowseForm(data::DataSet& dataSet, const std::vector<std::string>& fieldOrder,
                     std::function<void()> toggleTag, QWidget* parent = nullptr);

  // The 28 names in their current column order (visible ones as the user left them).
  std::vector<std::string> fieldOrder() const;

  QTableView* Grid;
  BrowseModel* Model;
  QPushButton *OkButton, *HelpButton, *FirstButton, *PriorButton, *NextButton, *LastButton, *TagButton;

 public slots:
  void TagButtonClick();
  void moveTo(int row);

 private:
  data::DataSet& dataSet_;
  std::vector<std::string> order_;  // all names, as given
  std::function<void()> toggleTag_;
};

}  // namespace app
