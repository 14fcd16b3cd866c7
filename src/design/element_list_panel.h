// A panel that only holds elements: for reading and printing layouts away
// from the screen (the layout tool, printing runs). It is always printing,
// so elements raise no change events; nothing is ever selected.
#pragma once

#include <QObject>
#include <map>
#include <string>
#include <vector>

#include "graphic_control.h"

namespace design {

class ElementListPanel : public ElementPanel {
 public:
  explicit ElementListPanel(QSize size = {}) : size_(size) {}

  bool printing() const override { return true; }
  void labelChanged() override {}
  QSize panelSize() const override { return size_; }
  int selectionCount() const override { return 0; }
  bool isSelected(const TGGraphicControl*) const override { return false; }
  void unselect(TGGraphicControl*) override {}
  void select(TGGraphicControl*) override {}
  void clearSelection() override {}
  QColor handleColor() const override { return Qt::black; }
  QColor handleSecondaryColor() const override { return Qt::gray; }
  void postRefit() override {}
  void bringToFront(TGGraphicControl*) override {}
  void sendToBack(TGGraphicControl*) override {}
  void cut(TGGraphicControl*) override {}
  void copy(TGGraphicControl*) override {}
  void remove(TGGraphicControl*) override {}
  TGGraphicControl* readBackCopy(TGGraphicControl*) override { return nullptr; }
  void refreshData() override {}
  void hookMouse() override {}
  void processPendingEvents() override {}
  void invalidate() override {}
  std::vector<TGGraphicControl*> elements() const override { return elements_; }
  std::vector<TGGraphicControl*> selectedElements() const override { return {}; }
  void adopt(TGGraphicControl* element) override { elements_.push_back(element); }
  std::optional<std::string> fieldText(const std::string& fieldName) const override {
    auto it = record_.find(fieldName);
    if (it == record_.end()) return std::nullopt;
    return it->second;
  }
  std::vector<DataField> dataFields() const override { return fields_; }
  // The record the data elements take their values from; the fields are
  // described by `fields`, or else as character fields labelled by their names.
  void setRecord(std::map<std::string, std::string> record, std::vector<DataField> fields = {}) {
    record_ = std::move(record);
    fields_ = std::move(fields);
    if (fields_.empty())
      for (const auto& [name, value] : record_) fields_.push_back({name, 'C', QString::fromStdString(name), 0, true});
  }

 private:
  QSize size_;
  std::vector<TGGraphicControl*> elements_;
  std::map<std::string, std::string> record_;
  std::vector<DataField> fields_;
};

}  // namespace design
