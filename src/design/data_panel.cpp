#include "data_panel.h"

#include "elements/address_label.h"
#include "elements/base_label.h"
#include "elements/counter_label.h"
#include "elements/data_label.h"
#include "elements/fim_element.h"
#include "elements/image_element.h"
#include "elements/multiline_label.h"
#include "elements/postnet_element.h"
#include "elements/shape_elements.h"
#include "elements/stamp_labels.h"
#include "elements/symbol_label.h"

namespace design {

TGDataPanel::TGDataPanel(QObject* owner, QWidget* parent) : TGBasePanel(owner, parent) {}

void TGDataPanel::SetDisplayDataValues(bool value) {
  displayValues_ = value;
  RefreshDataValues();
}

void TGDataPanel::RefreshDataValues() {
  if (!source_ || !source_->isOpen()) return;
  for (TGGraphicControl* e : elements()) e->RefreshData();
  processPendingEvents();
}

std::optional<std::string> TGDataPanel::fieldText(const std::string& name) const {
  if (!source_ || !source_->isOpen()) return std::nullopt;
  return source_->fieldText(name);
}

std::vector<DataField> TGDataPanel::dataFields() const {
  if (!source_ || !source_->isOpen()) return {};
  return source_->fields();
}

TGGraphicControl* TGDataPanel::CreateKind(ElementKind kind, QRect rect, bool reportPanel) {
  if (rect.width() < 25) rect.setWidth(50);
  if (rect.height() < 15) rect.setHeight(15);
  QObject* owner = Owner();
  auto made = [&](TGGraphicControl* e) {
    e->BuildMenu();
    return e;
  };
  switch (kind) {
    case ElementKind::FreeText: {
      auto* e = new TGPLabel(owner);
      made(e);
      e->SetCaption(QStringLiteral("<text>"));
      e->ApplyFont(PanelFont());
      PlaceNewElement(e, rect);
      e->EditAfterCreate();
      e->AutoSize();
      return e;
    }
    case ElementKind::Counter: {
      auto* e = new TGCounterLabel(owner);
      made(e);
      e->SetStartingnumber(1000);
      e->SetTextBefore(QString());
      e->SetTextAfter(QString());
      e->ApplyFont(PanelFont());
      PlaceNewElement(e, rect);
      e->AutoSize();
      return e;
    }
    case ElementKind::Symbol: {
      auto* e = new TGSymbolLabel(owner);
      made(e);
      PlaceNewElement(e, rect);
      e->SelectSymbol();
      if (reportPanel) e->AutoSize();
      return e;
    }
    case ElementKind::DataField: {
      auto* e = new TGPDLabel(owner);
      made(e);
      e->SetDataFieldName(QStringLiteral("<field>"));
      e->ApplyFont(PanelFont());
      PlaceNewElement(e, rect);
      e->ChooseField();
      RefreshDataValues();
      e->AutoSize();
      return e;
    }
    case ElementKind::MultiLine: {
      auto* e = new TGMultiLineLabel(owner);
      made(e);
      e->ApplyFont(PanelFont());
      PlaceNewElement(e, rect);
      e->EditText();
      e->SizeToContents();
      return e;
    }
    case ElementKind::Memo: {
      auto* e = new TGDMultiLineLabel(owner);
      made(e);
      e->SetDataFieldName(QStringLiteral("Memo"));
      e->SetDataFieldDescript(QStringLiteral("MEMO"));
      e->ApplyFont(PanelFont());
      PlaceNewElement(e, rect);
      RefreshDataValues();
      return e;
    }
    case ElementKind::Address: {
      auto* e = new TGDMultiLineAddressLabel(owner);
      made(e);
      e->ApplyFont(PanelFont());
      PlaceNewElement(e, rect);
      RefreshDataValues();
      e->SizeToContents();
      return e;
    }
    case ElementKind::Rectangle:
    case ElementKind::Ellipse:
    case ElementKind::RoundRectangle: {
      TGLabelShapes* e = reportPanel ? new Trpshapes(owner) : new TGLabelShapes(owner);
      e->SetShape(kind == ElementKind::Rectangle ? ShapeType::Rectangle
                  : kind == ElementKind::Ellipse ? ShapeType::Ellipse
                                                 : ShapeType::RoundRect);
      made(e);  // after the shape: rounded ones get their rounding entries
      PlaceNewElement(e, rect);
      return e;
    }
    case ElementKind::Line: {
      auto* e = new TGLineShape(owner);
      e->SetLineStyle(reportPanel ? LineStyle::Horizontal : LineStyle::Vertical);
      made(e);
      PlaceNewElement(e, rect);
      return e;
    }
    case ElementKind::Image: {
      auto* e = new TGImage(owner);
      made(e);
      PlaceNewElement(e, rect);
      return e;
    }
    case ElementKind::PostNet: {
      auto* e = new TGPostNetBarCode(owner);
      made(e);
      e->SetZipCodeField(QStringLiteral("ZIP"));
      e->SetAddressField(QStringLiteral("STREET"));
      PlaceNewElement(e, rect);
      RefreshDataValues();
      return e;
    }
    case ElementKind::Fim: {
      auto* e = new TGFIMBarCode(owner);
      made(e);
      PlaceNewElement(e, rect);
      return e;
    }
    case ElementKind::DateTime:
    case ElementKind::PageNumber: {
      TGBaseLabel* e = kind == ElementKind::DateTime ? static_cast<TGBaseLabel*>(new TGDateTimeLabel(owner))
                                                     : new TGPageNumberLabel(owner);
      made(e);
      e->ApplyFont(PanelFont());
      PlaceNewElement(e, rect);
      e->AutoSize();
      return e;
    }
  }
  return nullptr;
}

}  // namespace design
