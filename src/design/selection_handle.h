// The selection handle, TGHandle: the selected elements in the order they
// were selected, and the invisible layer over their bounding box that turns
// drags into moves and resizes (snapping to the grid when asked), arrow keys
// into one-pixel moves and resizes, and paints the selection marks. The
// panel routes the mouse and the keys to it; it is not a window of its own.
#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

class QPainter;

namespace design {

class TGBasePanel;
class TGGraphicControl;

class TGHandle : public QObject {
  Q_OBJECT

 public:
  explicit TGHandle(TGBasePanel* panel);

  // Where the cursor stands on the handle, and what a drag from there does.
  enum Zone { Move = 0, TopLeft, TopRight, BottomLeft, BottomRight, Top, Left, Bottom, Right };

  QColor Color() const { return color_; }
  void SetColor(const QColor& c);
  QColor SecondaryColor() const { return secondaryColor_; }
  void SetSecondaryColor(const QColor& c);
  bool Locked() const { return locked_; }
  void SetLocked(bool value) { locked_ = value; }
  int GridX() const { return gridX_; }
  int GridY() const { return gridY_; }
  void SetGridX(int value);
  void SetGridY(int value);
  bool SnapToGrid() const { return pitchX_ > 1 || pitchY_ > 1; }
  void SetSnapToGrid(bool value);

  // The selection.
  void Select(TGGraphicControl* element);
  void Unselect(TGGraphicControl* element);
  void ClearSelection();
  int IndexOf(const TGGraphicControl* element) const;
  int SelectedCount() const { return int(selection_.size()); }
  TGGraphicControl* Selected(int i) const;
  const std::vector<TGGraphicControl*>& Selection() const { return selection_; }
  void BringSelectionToFront();
  void SendSelectionToBack();
  bool PointOnSelection(QPoint p) const;
  TGGraphicControl* SelectedElementAt(QPoint p) const;

  // The handle's bounds on the panel; setting them moves and sizes the
  // unlocked selected elements by the same amounts.
  QRect Bounds() const { return bounds_; }
  void SetHandleBounds(int left, int top, int width, int height);
  void Refit();
  bool Visible() const { return visible_; }
  bool Enabled() const { return enabled_; }
  // The handle holds the mouse: every mouse event goes to it.
  bool HasCapture() const { return capture_; }
  bool Dragging() const { return dragging_; }
  int DragZone() const { return zone_; }
  // The frames drawn while dragging and while arrow keys are down (panel coordinates; empty when none).
  QRect DragFrame() const { return dragFrame_; }
  QRect KeyboardFrame() const { return keyboardShown_ ? keyboardFrame_ : QRect(); }

  // Mouse events in handle coordinates, keys as Qt gives them.
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p);
  void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint p);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p);
  void DblClick();
  void KeyDown(int key, Qt::KeyboardModifiers modifiers);
  void KeyUp(int key);
  // Tells a drag that a double-click happened: the drag its first click started ends.
  void DoubleClicked() { doubleClicked_ = true; }

  void Paint(QPainter& painter);

  // The zone of a point in handle coordinates (move unless one element is selected).
  int ZoneAt(QPoint p) const;
  // The handle bounds a drag to `p` gives (handle coordinates, pointer clamped).
  QRect DragBounds(QPoint p) const;

 private:
  QPoint clamp(QPoint p) const;
  int snapX(int v) const { return (v / pitchX_) * pitchX_; }
  int snapY(int v) const { return (v / pitchY_) * pitchY_; }
  void setOwnBounds(const QRect& r);
  void stopDragging();
  void zoneCursor(int zone);

  TGBasePanel* panel_;
  std::vector<TGGraphicControl*> selection_;
  QRect bounds_{0, 0, 24, 24};
  bool visible_ = false, enabled_ = false, capture_ = false;
  QColor color_ = Qt::black, secondaryColor_ = QColor(128, 128, 128);
  bool locked_ = false;
  int gridX_ = 8, gridY_ = 8, pitchX_ = 1, pitchY_ = 1;
  bool dragging_ = false, doubleClicked_ = false;
  QPoint start_;
  int zone_ = Move;
  int64_t pressTime_ = 0;
  QRect dragFrame_;
  bool keyboardShown_ = false;
  QRect keyboardFrame_;  // left, top, right, bottom as a QRect with inclusive edges
};

}  // namespace design
