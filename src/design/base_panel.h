// The design panel, TGBasePanel: the white sheet of one label, envelope or
// report band on which elements stand. It paints the sheet (pictures, the
// outline, the dot grid) and its elements, routes the mouse to the selection
// handle, the elements or its own rubber band, cuts, copies and pastes
// through a private clipboard file, aligns, locks and selects in bulk,
// zooms, and saves and loads its elements as a layout file. The panel kinds
// add data, the element palette and the creation of new elements.
#pragma once

#include <QImage>
#include <QMenu>
#include <QWidget>
#include <functional>
#include <memory>

#include "element_style.h"
#include "graphic_control.h"
#include "selection_handle.h"

namespace design {

enum class LabelShape { Rectangle, RoundRect, Ellipse };  // lsRectangle, lsRoundRect, lsEllipse
enum class GridSize { Grid4x4, Grid8x8 };                 // gs4x4, gs8x8
enum class ClipboardOperation { Cut, Copy, Paste, Delete };

class TGBasePanel : public QWidget, public ElementPanel {
  Q_OBJECT

 public:
  // `owner` holds the elements (the designer form); null: the panel itself.
  explicit TGBasePanel(QObject* owner = nullptr, QWidget* parent = nullptr);
  ~TGBasePanel() override;

  enum Cursor { Default, HandGrab, HandPoint, SizeNWSE, SizeNESW, SizeNS, SizeWE, Drag, NoDrop };

  // Published properties.
  bool Pointing() const { return pointing_; }
  void SetPointing(bool value) { pointing_ = value; }
  bool DrawOutline() const { return drawOutline_; }
  void SetDrawOutline(bool value);
  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& picture);
  const QImage& ColorPicture() const { return colorPicture_; }
  void SetColorPicture(const QImage& picture);
  bool Printing() const { return printing_; }
  void SetPrinting(bool value) { printing_ = value; }
  LabelShape Shape() const { return shape_; }
  void SetShape(LabelShape value);
  design::GridSize GetGridSize() const { return gridSize_; }
  void SetGridSize(design::GridSize value);
  bool ShowGrid() const { return showGrid_; }
  void SetShowGrid(bool value);
  bool SnapToGrid() const { return handle_->SnapToGrid(); }
  void SetSnapToGrid(bool value);
  std::function<void(QRect&)> DroppedObjectEvent;
  std::function<void(TGBasePanel*)> LabelChangedEvent;
  // Raised after the panel's own handling of a press, move or release on
  // the sheet, a double-click, or a key.
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> OnMouseDown, OnMouseUp;
  std::function<void(QPoint)> OnMouseMove;
  std::function<void()> OnDblClick;
  std::function<void(int key, Qt::KeyboardModifiers)> OnKeyDown;

  // The font new text elements and the "Font" dialog start from.
  const ElementFont& PanelFont() const { return font_; }
  void SetPanelFont(const ElementFont& font) { font_ = font; }
  QObject* Owner() const { return owner_; }
  TGHandle* Handle() const { return handle_; }
  QMenu* PanelMenu() const { return menu_.get(); }
  float GetScale() const { return scale_; }

  // Virtual operations of the panel kinds.
  virtual void CreateElementInRect(QRect rect) { (void)rect; }
  virtual void ElementMouseDown(TGGraphicControl* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint p);
  virtual void RefreshDataValues() {}
  virtual void PrintElements(print::Canvas& target, double originLeft, double originTop);
  virtual void ClampElements();
  virtual void DropStrayElements();

  // For designers and printing loops.
  void SaveToFile(const std::string& path);
  void LoadFromFile(const std::string& path);
  void DeleteAll();
  void SetScale(float x);
  void ClearDataValues();
  void AdvanceAll();
  void ResetAll();

  // For panel kinds and elements.
  void PlaceNewElement(TGGraphicControl* element, QRect rect);
  QString UniqueName(const QString& prefix) const;
  void HookElement(TGGraphicControl* element) { (void)element; }  // the panel routes every element's mouse
  void HookAll();
  void ClipboardOp(TGGraphicControl* element, ClipboardOperation op);
  void SelectionClipboardOp(ClipboardOperation op);
  void RaiseLabelChanged();
  void RequestRefit();
  void SelectInRect(QRect rect, bool shift);
  void SelectAll();
  void Align(int which);  // 0 left, 1 right, 2 tops, 3 bottoms
  void ChooseFontForSelection();
  void BringToFront(TGGraphicControl* element);
  void SendToBack(TGGraphicControl* element);
  // The element on top at a panel point, the handle left out.
  TGGraphicControl* ElementAt(QPoint p) const;

  // The panel's own mouse (empty sheet), the handle's presses and what it passes on.
  virtual void PanelMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p);
  void PanelMouseMove(QPoint p);
  void PanelMouseUp(QPoint p, Qt::KeyboardModifiers modifiers, Qt::MouseButton button = Qt::LeftButton);
  void HandleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p);
  void PassPress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p);
  void PassRelease(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p);
  void ElementMouseMove(TGGraphicControl* sender, QPoint p);
  void ElementMouseUp(TGGraphicControl* sender, QPoint p, Qt::KeyboardModifiers modifiers);
  // Null sender: the handle.
  void ElementDblClick(TGGraphicControl* sender);
  void KeyDown(int key, Qt::KeyboardModifiers modifiers);
  QRect RubberBand() const { return rubberOn_ ? rubber_.normalized() : QRect(); }

  // The cursor shown over the panel, and the menus it opens (a seam for tests).
  void SetScreenCursor(Cursor cursor);
  Cursor ScreenCursor() const { return cursor_; }
  virtual void PopupMenu(QMenu* menu);
  QMenu* LastPopup() const { return lastPopup_; }

  // The clipboard file and the temporary file all panels share.
  static std::string ClipboardPath();
  static std::string TemporaryPath();

  // The sheet alone (white, pictures, outline, grid) as painted under the elements.
  QImage PaintSheet() const;

  // ElementPanel.
  bool printing() const override { return printing_; }
  void labelChanged() override { RaiseLabelChanged(); }
  QSize panelSize() const override { return size(); }
  int selectionCount() const override { return handle_->SelectedCount(); }
  bool isSelected(const TGGraphicControl* e) const override { return handle_->IndexOf(e) >= 0; }
  void unselect(TGGraphicControl* e) override { handle_->Unselect(e); }
  void select(TGGraphicControl* e) override { handle_->Select(e); }
  void clearSelection() override { handle_->ClearSelection(); }
  QColor handleColor() const override { return handle_->Color(); }
  QColor handleSecondaryColor() const override { return handle_->SecondaryColor(); }
  void postRefit() override { RequestRefit(); }
  void bringToFront(TGGraphicControl* e) override { BringToFront(e); }
  void sendToBack(TGGraphicControl* e) override { SendToBack(e); }
  void cut(TGGraphicControl* e) override { ClipboardOp(e, ClipboardOperation::Cut); }
  void copy(TGGraphicControl* e) override { ClipboardOp(e, ClipboardOperation::Copy); }
  void remove(TGGraphicControl* e) override { ClipboardOp(e, ClipboardOperation::Delete); }
  TGGraphicControl* readBackCopy(TGGraphicControl* e) override;
  void refreshData() override { RefreshDataValues(); }
  void hookMouse() override { HookAll(); }
  void processPendingEvents() override;
  void invalidate() override { update(); }
  std::vector<TGGraphicControl*> elements() const override { return children_; }
  std::vector<TGGraphicControl*> selectedElements() const override { return handle_->Selection(); }
  void adopt(TGGraphicControl* element) override;
  std::optional<std::string> fieldText(const std::string&) const override { return std::nullopt; }

 protected:
  // Drawn over the sheet, under the elements (the envelope's zones).
  virtual void PaintOverSheet(QPainter& painter) { (void)painter; }

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

  // Frees an element: out of the selection and the panel at once, deleted after the current event.
  void FreeElement(TGGraphicControl* element);

 private:
  void buildMenu();
  void menuOpening();
  QPainterPath shapePath() const;

  QObject* owner_;
  TGHandle* handle_;
  std::unique_ptr<QMenu> menu_;
  std::vector<TGGraphicControl*> children_;  // bottom of the z-order first
  bool pointing_ = true, drawOutline_ = false, printing_ = false, showGrid_ = false;
  QImage picture_, colorPicture_;
  LabelShape shape_ = LabelShape::RoundRect;
  design::GridSize gridSize_ = design::GridSize::Grid4x4;
  float scale_ = 1.0f;
  bool scaling_ = false;
  ElementFont font_;
  bool rubberOn_ = false;
  QRect rubber_;
  Cursor cursor_ = Default;
  QMenu* lastPopup_ = nullptr;
  int64_t lastPaste_ = 0;
  bool refitPosted_ = false;
  // When each panel menu entry is enabled, checked as the menu opens.
  enum class EnabledWhen { Always, Selection, AnyElement, ClipboardFile };
  std::vector<std::pair<QAction*, EnabledWhen>> menuRules_;
};

}  // namespace design
