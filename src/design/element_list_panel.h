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
  // The record the data elements take their values from.
  void setRecord(std::map<std::string, std::string> record) { record_ = std::move(record); }

 private:
  QSize size_;
  std::vector<TGGraphicControl*> elements_;
  std::map<std::string, std::string> record_;
};

}  // namespace design
