// The panel kinds the designers and printing forms use: the label panel,
// the envelope panel (with the postal automation zones and the printer's
// unprintable margins) and the report panel (one band of a report). Each
// has a palette state saying what the next drag creates, and registers its
// element classes for the layout reader when made.
#pragma once

#include "data_panel.h"

namespace design {

class TGLabelPanel : public TGDataPanel {
  Q_OBJECT

 public:
  enum TLPanelState {
    psPointing, psLabel, psCounterLabel, psSymbolLabel, psDataLabel, psMultiLineLabel, psMultiLineDataLabel,
    psAddressLabel, psRectangle, psEllipse, psRoundRectangle, psLine, psImage, psPostNetBarCode
  };
  explicit TGLabelPanel(QObject* owner = nullptr, QWidget* parent = nullptr);

  TLPanelState PanelState() const { return state_; }
  void SetPanelState(TLPanelState state);
  void CreateElementInRect(QRect rect) override;

 private:
  TLPanelState state_ = psPointing;
};

class TEnvelopePanel : public TGDataPanel {
  Q_OBJECT

 public:
  enum TLPanelState {
    psPointing, psLabel, psDataLabel, psMultiLineLabel, psAddressLabel, psRectangle, psEllipse, psRoundRectangle,
    psLine, psImage, psPostNetBarCode, psFIMBarCode
  };
  explicit TEnvelopePanel(QObject* owner = nullptr, QWidget* parent = nullptr);

  TLPanelState PanelState() const { return state_; }
  void SetPanelState(TLPanelState state);
  void CreateElementInRect(QRect rect) override;

  // In design pixels, Trunc(inches x PPI), set by the envelope designer.
  int MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0, PageHeight = 0, PageWidth = 0;
  bool ShowTemplate = false, ShowUnprintable = false;

  // The left edge of the address area (pixels from the panel's left).
  int AddressAreaLeft() const;

 protected:
  void PaintOverSheet(QPainter& painter) override;

 private:
  TLPanelState state_ = psPointing;
};

class TReportPanel : public TGDataPanel {
  Q_OBJECT

 public:
  enum TRPanelState {
    psPointing, psLabel, psDataLabel, psMultiLineDataLabel, psLine, psImage, psDateTime, psPageNumber,
    psSymbolLabel, psRectangle, psEllipse, psRoundRectangle
  };
  enum TRPanelKind { rpkHeader, rpkDetail, rpkMemo, rpkFooter };
  explicit TReportPanel(QObject* owner = nullptr, QWidget* parent = nullptr);

  TRPanelState PanelState() const { return state_; }
  void SetPanelState(TRPanelState state);
  TRPanelKind PAnelKind = rpkDetail;
  bool AcceptsPress = true;
  std::function<void(TReportPanel*)> ControlMouseDownEvent;

  void CreateElementInRect(QRect rect) override;
  void ElementMouseDown(TGGraphicControl* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                        QPoint p) override;
  void ClampElements() override;
  void DropStrayElements() override;
  void PanelMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint p) override;

 private:
  TRPanelState state_ = psPointing;
};

}  // namespace design
