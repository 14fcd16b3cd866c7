// A design panel for tests: it records what its elements ask of it and
// keeps their z-order and selection in plain lists.
#pragma once

#include <QObject>
#include <QSize>
#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "design/graphic_control.h"

namespace designtest {

// A panel that records what its elements ask of it.
struct FakePanel : design::ElementPanel {
  using TGGraphicControl = design::TGGraphicControl;
  bool isPrinting = false;
  int changes = 0, refits = 0, invalidations = 0;
  QSize size{101, 81};
  std::vector<TGGraphicControl*> selection;
  std::vector<TGGraphicControl*> zOrder;
  QObject owner;

  bool printing() const override { return isPrinting; }
  void labelChanged() override { ++changes; }
  QSize panelSize() const override { return size; }
  int selectionCount() const override { return int(selection.size()); }
  bool isSelected(const TGGraphicControl* e) const override {
    return std::find(selection.begin(), selection.end(), e) != selection.end();
  }
  void unselect(TGGraphicControl* e) override { std::erase(selection, e); }
  void select(TGGraphicControl* e) override { selection.push_back(e); }
  void clearSelection() override { selection.clear(); }
  QColor handleColor() const override { return Qt::red; }
  QColor handleSecondaryColor() const override { return Qt::blue; }
  void postRefit() override { ++refits; }
  void bringToFront(TGGraphicControl* e) override {
    std::erase(zOrder, e);
    zOrder.push_back(e);
  }
  void sendToBack(TGGraphicControl* e) override {
    std::erase(zOrder, e);
    zOrder.insert(zOrder.begin(), e);
  }
  void cut(TGGraphicControl*) override {}
  void copy(TGGraphicControl*) override {}
  void remove(TGGraphicControl*) override {}
  TGGraphicControl* readBackCopy(TGGraphicControl* e) override {
    auto* copy = add(e->Left(), e->Top(), e->Width(), e->Height());
    copy->SetName(QStringLiteral("Component1"));
    return copy;
  }
  void refreshData() override {}
  void hookMouse() override {}
  void processPendingEvents() override {}
  void invalidate() override { ++invalidations; }
  std::vector<TGGraphicControl*> elements() const override { return zOrder; }
  std::vector<TGGraphicControl*> selectedElements() const override { return selection; }
  void adopt(TGGraphicControl* e) override { zOrder.push_back(e); }
  std::map<std::string, std::string> record;
  std::optional<std::string> fieldText(const std::string& name) const override {
    auto it = record.find(name);
    if (it == record.end()) return std::nullopt;
    return it->second;
  }

  std::vector<design::DataField> fields;
  bool showValues = true;
  std::vector<design::DataField> dataFields() const override { return fields; }
  bool displayDataValues() const override { return showValues; }

  // A new element of a kind on this panel, its menu built.
  template <class Element>
  Element* place() {
    auto* e = new Element(&owner);
    e->SetPanel(this);
    e->BuildMenu();
    zOrder.push_back(e);
    return e;
  }

  TGGraphicControl* add(int left, int top, int width, int height) {
    auto* e = new TGGraphicControl(&owner);
    e->SetPanel(this);
    e->BuildMenu();
    e->SetBounds(left, top, width, height);
    zOrder.push_back(e);
    return e;
  }
};

}  // namespace designtest
