// The panel's commands: its menu, the clipboard file, alignment, bulk
// locking and selecting, placing new elements, zoom, and layout files.
#include <QAction>
#include <QCoreApplication>
#include <QSet>
#include <cmath>
#include <filesystem>

#include "base_panel.h"
#include "forms/form_support.h"
#include "label_object_filer.h"
#include "platform/home.h"

namespace design {

void TGBasePanel::buildMenu() {
  menu_ = std::make_unique<QMenu>();
  connect(menu_.get(), &QMenu::aboutToShow, this, [this] { menuOpening(); });
  using Rule = EnabledWhen;
  struct Entry {
    const char* caption;
    Rule rule;
    std::function<void()> action;
  };
  const std::vector<Entry> entries = {
      {"Bring To Front", Rule::Selection, [this] { handle_->BringSelectionToFront(); RaiseLabelChanged(); }},
      {"Send To Back", Rule::Selection,
       [this] { handle_->SendSelectionToBack(); handle_->ClearSelection(); RaiseLabelChanged(); }},
      {"-", Rule::Always, nullptr},
      {"Cut", Rule::Selection, [this] { SelectionClipboardOp(ClipboardOperation::Cut); }},
      {"Copy", Rule::Selection, [this] { SelectionClipboardOp(ClipboardOperation::Copy); }},
      {"Paste", Rule::ClipboardFile, [this] { SelectionClipboardOp(ClipboardOperation::Paste); }},
      {"-", Rule::Always, nullptr},
      {"Delete", Rule::Selection, [this] { SelectionClipboardOp(ClipboardOperation::Delete); }},
      {"-", Rule::Always, nullptr},
      {"Align Left", Rule::Selection, [this] { Align(0); }},
      {"Align Right", Rule::Selection, [this] { Align(1); }},
      {"Align Tops", Rule::Selection, [this] { Align(2); }},
      {"Align Bottoms", Rule::Selection, [this] { Align(3); }},
      {"-", Rule::Always, nullptr},
      {"Center Vertically", Rule::Selection,
       [this] { for (TGGraphicControl* e : handle_->Selection()) e->CenterVertically(); }},
      {"Center Horizontally", Rule::Selection,
       [this] { for (TGGraphicControl* e : handle_->Selection()) e->CenterHorizontally(); }},
      {"-", Rule::Always, nullptr},
      {"Lock All", Rule::AnyElement, [this] { for (TGGraphicControl* e : children_) if (!e->Locked()) e->SetLocked(true); }},
      {"Unlock All", Rule::AnyElement, [this] { for (TGGraphicControl* e : children_) if (e->Locked()) e->SetLocked(false); }},
      {"-", Rule::Always, nullptr},
      {"Mark All Selectable", Rule::Always, [this] { for (TGGraphicControl* e : children_) e->SetUnselectable(false); }},
      {"Mark All Unselectable", Rule::Always, [this] { for (TGGraphicControl* e : children_) e->SetUnselectable(true); }},
      {"Select All", Rule::Always, [this] { SelectAll(); }},
      {"-", Rule::Always, nullptr},
      {"Font", Rule::Selection, [this] { ChooseFontForSelection(); }},
  };
  for (const Entry& e : entries) {
    if (!e.action) menu_->addSeparator();
    else menuRules_.push_back({menu_->addAction(QString::fromLatin1(e.caption), this, e.action), e.rule});
  }
}

void TGBasePanel::menuOpening() {
  const bool selection = handle_->SelectedCount() > 0;
  const bool clipboard = std::filesystem::exists(ClipboardPath());
  for (const auto& [action, rule] : menuRules_)
    action->setEnabled(rule == EnabledWhen::Always || (rule == EnabledWhen::Selection && selection) ||
                       (rule == EnabledWhen::AnyElement && !children_.empty()) ||
                       (rule == EnabledWhen::ClipboardFile && clipboard));
}

void TGBasePanel::RaiseLabelChanged() {
  if (scaling_ || !LabelChangedEvent) return;
  LabelChangedEvent(this);
}

void TGBasePanel::ClipboardOp(TGGraphicControl* e, ClipboardOperation op) {
  if (handle_->IndexOf(e) >= 0) {
    SelectionClipboardOp(op);
    return;
  }
  if (op == ClipboardOperation::Cut || op == ClipboardOperation::Copy)
    TGLabelObjectFiler::SaveElement(*e, ClipboardPath());
  if (op == ClipboardOperation::Cut || op == ClipboardOperation::Delete) {
    RaiseLabelChanged();
    FreeElement(e);
  }
}

void TGBasePanel::SelectionClipboardOp(ClipboardOperation op) {
  if (op == ClipboardOperation::Paste) {
    const int64_t now = platform::tickCount();
    // A held Ctrl+V pastes once a second at most.
    if (lastPaste_ == 0) lastPaste_ = now;
    else if (now < lastPaste_ + 1000) return;
    TGLabelObjectFiler::PasteLayout(owner_, *this, ClipboardPath());
    HookAll();
    RefreshDataValues();  // pasted data fields show the current record at once
    RaiseLabelChanged();
    processPendingEvents();
    lastPaste_ = now;
    update();
    return;
  }
  if ((op == ClipboardOperation::Cut || op == ClipboardOperation::Copy) && handle_->SelectedCount() > 0)
    TGLabelObjectFiler::SaveSelection(*this, ClipboardPath());
  if (op == ClipboardOperation::Cut || op == ClipboardOperation::Delete) {
    const std::vector<TGGraphicControl*> selected = handle_->Selection();
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
      FreeElement(*it);
      RaiseLabelChanged();
    }
  }
}

void TGBasePanel::Align(int which) {
  const std::vector<TGGraphicControl*> selected = handle_->Selection();
  if (!selected.empty()) RaiseLabelChanged();
  int m = which == 0 ? width() : which == 2 ? height() : 0;
  for (const TGGraphicControl* e : selected) {
    if (which == 0) m = std::min(m, e->Left());
    if (which == 1) m = std::max(m, e->Left() + e->Width());
    if (which == 2) m = std::min(m, e->Top());
    if (which == 3) m = std::max(m, e->Top() + e->Height());
  }
  for (TGGraphicControl* e : selected) {
    if (which == 0) e->SetLeft(m);
    if (which == 1) e->SetLeft(m - e->Width());
    if (which == 2) e->SetTop(m);
    if (which == 3) e->SetTop(m - e->Height());
  }
  update();
}

void TGBasePanel::SelectAll() {
  if (children_.empty()) return;
  handle_->ClearSelection();
  for (TGGraphicControl* e : children_) handle_->Select(e);
  update();
}

void TGBasePanel::ChooseFontForSelection() {
  if (handle_->SelectedCount() == 0) return;
  if (auto chosen = chooseFont(font_.dialogFont())) {
    ElementFont f = font_;
    f.takeDialogFont(*chosen);
    for (TGGraphicControl* e : handle_->Selection()) e->ApplyFont(f);
  }
  update();
}

QString TGBasePanel::UniqueName(const QString& prefix) const {
  QSet<QString> taken;
  for (const QObject* c : owner_->children()) taken.insert(c->objectName());
  for (int n = 1; n <= 1000; ++n) {
    const QString name = prefix + QString::number(n);
    if (!taken.contains(name)) return name;
  }
  return QString();
}

void TGBasePanel::PlaceNewElement(TGGraphicControl* e, QRect rect) {
  if (std::find(children_.begin(), children_.end(), e) == children_.end()) adopt(e);
  e->SetName(UniqueName(QStringLiteral("Special")));
  e->SetBounds(rect.left(), rect.top(), std::max(10, rect.width()), std::max(15, rect.height()));
  HookElement(e);
  // The rectangle was drawn at the current zoom: the element is made zoomed already.
  e->SetScaleField(scale_);
  RaiseLabelChanged();
  processPendingEvents();
}

void TGBasePanel::HookAll() {
  for (TGGraphicControl* e : children_) e->SetScaleField(scale_);
}

TGGraphicControl* TGBasePanel::readBackCopy(TGGraphicControl* e) {
  return TGLabelObjectFiler::CloneElement(*e, owner_, *this);
}

void TGBasePanel::PrintElements(print::Canvas& target, double originLeft, double originTop) {
  for (TGGraphicControl* e : children_) e->PrintOn(target, originLeft, originTop);
}

void TGBasePanel::ClearDataValues() {
  for (TGGraphicControl* e : children_) e->ClearData();
}

void TGBasePanel::AdvanceAll() {
  for (TGGraphicControl* e : children_) e->Advance();
}

void TGBasePanel::ResetAll() {
  for (TGGraphicControl* e : children_) e->ResetCount();
}

void TGBasePanel::SaveToFile(const std::string& path) {
  const float s = scale_;
  if (s != 1.0f) SetScale(1.0f);
  ClearDataValues();
  try {
    TGLabelObjectFiler::SaveLayout(*this, path);
  } catch (...) {
    RefreshDataValues();
    if (s != 1.0f) SetScale(s);
    throw;
  }
  RefreshDataValues();
  if (s != 1.0f) SetScale(s);
}

void TGBasePanel::LoadFromFile(const std::string& path) {
  TGLabelObjectFiler::LoadLayout(owner_, *this, path);
  HookAll();
  RefreshDataValues();
  update();
}

void TGBasePanel::DeleteAll() {
  handle_->ClearSelection();
  const std::vector<TGGraphicControl*> all = children_;
  for (auto it = all.rbegin(); it != all.rend(); ++it) FreeElement(*it);
}

void TGBasePanel::SetScale(float x) {
  if (x == scale_) return;
  scaling_ = true;
  const float r = x / scale_;
  resize(int(std::nearbyint(width() * double(r))), int(std::nearbyint(height() * double(r))));
  scale_ = x;
  for (TGGraphicControl* e : children_) e->SetScale(x);
  processPendingEvents();
  scaling_ = false;
}

void TGBasePanel::ClampElements() {
  handle_->ClearSelection();
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    TGGraphicControl* e = *it;
    if (e->Top() > height() - 10) e->SetTop(height() - 10);
    if (e->Left() > width() - 20) e->SetLeft(width() - 20);
  }
}

void TGBasePanel::DropStrayElements() {
  handle_->ClearSelection();
  const std::vector<TGGraphicControl*> all = children_;
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    TGGraphicControl* e = *it;
    if (e->Top() > height() - 10 || e->Left() > width() - 10 || e->Width() < 1 || e->Height() < 1) FreeElement(e);
  }
}

}  // namespace design
