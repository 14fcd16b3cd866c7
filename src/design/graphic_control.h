// The base of every design element (free text, data fields, memos, address
// blocks, counters, symbols, dates, page numbers, images, shapes, lines,
// POSTNET and FIM marks): its rectangle in design pixels on the panel, zoom,
// the Locked and Unselectable switches, the change notification, the
// selection marks, the element menu, and the virtual operations the kinds
// override. Elements are light objects: the panel they stand on paints them
// and routes the mouse to them, and everything an element needs of that
// panel goes through ElementPanel.
#pragma once

#include <QColor>
#include <QObject>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "element_style.h"

class QAction;
class QMenu;
class QPainter;

namespace print {
class Canvas;
}

namespace design {

class LayoutWriter;
struct StoredProperty;
class TGGraphicControl;

// A field of the panel's data set as the data elements see it.
struct DataField {
  std::string name;  // the DBF name, "LNAME"
  char type = 'C';   // 'C' character, 'M' memo, 'N', 'D', 'L' ...
  QString label;     // the description shown to the user, "Last Name"
  int tag = 0;       // negative: hidden from the user
  bool visible = true;
};

// What an element needs of the design panel it stands on.
class ElementPanel {
 public:
  virtual ~ElementPanel() = default;
  virtual bool printing() const = 0;           // printing: no change events, no placeholders
  virtual void labelChanged() = 0;             // the panel's LabelChangedEvent
  virtual QSize panelSize() const = 0;
  virtual int selectionCount() const = 0;
  virtual bool isSelected(const TGGraphicControl* element) const = 0;
  virtual void unselect(TGGraphicControl* element) = 0;
  virtual void select(TGGraphicControl* element) = 0;
  virtual void clearSelection() = 0;
  virtual QColor handleColor() const = 0;           // marks of a single selection
  virtual QColor handleSecondaryColor() const = 0;  // marks of a multiple selection
  virtual void postRefit() = 0;      // refit the selection handle after the current event
  virtual void bringToFront(TGGraphicControl* element) = 0;
  virtual void sendToBack(TGGraphicControl* element) = 0;
  // Cut and remove free the element after the current event (its menu may
  // still be running), never at once.
  virtual void cut(TGGraphicControl* element) = 0;
  virtual void copy(TGGraphicControl* element) = 0;
  virtual void remove(TGGraphicControl* element) = 0;
  // Writes the element alone to a layout stream and reads it back onto the
  // panel (a new name, the same properties and position); returns the copy.
  virtual TGGraphicControl* readBackCopy(TGGraphicControl* element) = 0;
  virtual void refreshData() = 0;    // data values of the whole panel
  virtual void hookMouse() = 0;      // route the mouse of every element to the panel again
  virtual void processPendingEvents() = 0;
  virtual void invalidate() = 0;
  // The elements in child order (bottom of the z-order first) and in
  // selection order; taking a new element as a child (on top).
  virtual std::vector<TGGraphicControl*> elements() const = 0;
  virtual std::vector<TGGraphicControl*> selectedElements() const = 0;
  virtual void adopt(TGGraphicControl* element) = 0;
  // The current record's value of a field as text; nothing when the panel's
  // data has no field of that name.
  virtual std::optional<std::string> fieldText(const std::string& fieldName) const = 0;
  // The data set's fields in order (none without a data set), and whether
  // data elements show record values rather than their descriptions.
  virtual std::vector<DataField> dataFields() const { return {}; }
  virtual bool displayDataValues() const { return true; }
};

class TGGraphicControl : public QObject {
  Q_OBJECT

 public:
  explicit TGGraphicControl(QObject* owner);
  ~TGGraphicControl() override;

  // The class name layouts store; every kind names its own.
  virtual QString ClassName() const { return QStringLiteral("TGGraphicControl"); }

  // Layout properties: written in the class's order with its omission
  // rules, the base's first; read one at a time through the setters.
  // ReadProperty answers false for a name the class does not have and
  // throws LayoutError for a value of the wrong kind.
  virtual void WriteProperties(LayoutWriter& writer) const;
  virtual bool ReadProperty(const StoredProperty& property);

  QString Name() const { return objectName(); }
  void SetName(const QString& name) { setObjectName(name); }

  ElementPanel* Panel() const { return panel_; }
  void SetPanel(ElementPanel* panel) { panel_ = panel; }

  int Left() const { return bounds_.left(); }
  int Top() const { return bounds_.top(); }
  int Width() const { return bounds_.width(); }
  int Height() const { return bounds_.height(); }
  QRect BoundsRect() const { return bounds_; }
  // Moves and sizes in one step, then runs BoundsChanged.
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  float Scale() const { return scale_; }
  void SetScale(float x);
  // The zoom alone, without resizing (the element was made at that zoom).
  void SetScaleField(float x) { scale_ = x; }

  bool Locked() const { return locked_; }
  void SetLocked(bool value);
  bool Unselectable() const { return unselectable_; }
  void SetUnselectable(bool value);

  // While an element is read from a layout its setters only store values.
  bool Reading() const { return reading_; }
  void SetReading(bool reading) { reading_ = reading; }

  void NotifyChanged();

  // The element menu: built once; kinds append their entries after a separator.
  virtual void BuildMenu();
  QMenu* Menu() const { return menu_.get(); }
  QAction* LockedEntry() const { return lockedEntry_; }

  // Draws the element on the panel; the base draws only the selection marks.
  virtual void Paint(QPainter& painter);
  void DrawMarks(QPainter& painter);
  // The squares of the selection marks around `bounds`: four corners, and
  // four mid-edge squares when the element is the only one selected.
  static std::vector<QRect> MarkSquares(const QRect& bounds, bool onlySelected);

  // The virtual operations of every kind, in this order.
  virtual void BoundsChanged();
  virtual void MenuOpening() {}
  virtual void ApplyFont(const ElementFont&) {}
  virtual void RefreshData() {}
  virtual void ClearData() {}
  virtual void Advance() {}
  virtual void ResetCount() {}
  virtual void PrintOn(print::Canvas&, double /*originLeft*/, double /*originTop*/) {}

  // The menu's commands.
  void BringToFront();
  void SendToBack();
  void Cut();
  void Copy();
  void Delete();
  void Clone();
  void ToggleLocked();
  void MakeUnselectable();
  void CenterVertically();
  void CenterHorizontally();

 protected:
  // The size a kind is created with; no change is reported for it.
  void SetInitialSize(int width, int height) { bounds_.setSize(QSize(width, height)); }
  // Asks the panel to paint again (not while reading).
  void Repaint();

 private:
  void afterCentering();

  ElementPanel* panel_ = nullptr;
  QRect bounds_;
  QRect lastBounds_;  // null until the first bounds report
  float scale_ = 1.0f;
  bool locked_ = false;
  bool unselectable_ = false;
  bool reading_ = false;
  int tag_ = 0, cursor_ = 0;  // kept as read; the program never sets them
  QString hint_;
  std::unique_ptr<QMenu> menu_;
  QAction* lockedEntry_ = nullptr;
};

// Space-only trimming of the data elements: tabs and other characters stay.
QString TrimLeft(const QString& text);
QString TrimRight(const QString& text);
QString Trim(const QString& text);

// Round half to even, as all design arithmetic rounds.
int RoundHalfEven(double value);

}  // namespace design
