// TGDataPanel: a design panel connected to the address file's records, so
// that data elements can show and print record values, and the element
// kinds every panel kind can create.
#pragma once

#include "base_panel.h"

namespace design {

// The records a data panel shows: the current record's fields as text (memo
// fields with their memo text) and the fields' descriptions.
class RecordSource {
 public:
  virtual ~RecordSource() = default;
  virtual bool isOpen() const = 0;
  virtual std::vector<DataField> fields() const = 0;
  virtual std::optional<std::string> fieldText(const std::string& name) const = 0;
};

// What a palette state creates.
enum class ElementKind {
  FreeText, Counter, Symbol, DataField, MultiLine, Memo, Address, Rectangle, Ellipse, RoundRectangle, Line, Image,
  PostNet, Fim, DateTime, PageNumber
};

class TGDataPanel : public TGBasePanel {
  Q_OBJECT

 public:
  explicit TGDataPanel(QObject* owner = nullptr, QWidget* parent = nullptr);

  bool DisplayDataValues() const { return displayValues_; }
  void SetDisplayDataValues(bool value);
  // The data set (not owned); null for none.
  RecordSource* DataSet() const { return source_; }
  void SetDataSet(RecordSource* source) { source_ = source; }

  void RefreshDataValues() override;

  // ElementPanel: the data set's current record.
  std::optional<std::string> fieldText(const std::string& name) const override;
  std::vector<DataField> dataFields() const override;
  bool displayDataValues() const override { return displayValues_; }

 protected:
  // The common start of every creation (a click gives 50 x 15), then the
  // element of `kind` with its initial values; report panels make report
  // shapes and horizontal lines.
  TGGraphicControl* CreateKind(ElementKind kind, QRect rect, bool reportPanel);

 private:
  bool displayValues_ = true;
  RecordSource* source_ = nullptr;
};

}  // namespace design
