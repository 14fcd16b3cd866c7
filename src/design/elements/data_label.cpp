#include "data_label.h"

#include <QMenu>

#include "design/forms/field_selection_box.h"
#include "design/layout_stream.h"
#include "platform/ansi_text.h"

namespace design {

// The caption starts empty, as it is after reading a layout (where an empty
// caption is not stored): a field that is not found prints nothing.
TGPDLabel::TGPDLabel(QObject* owner) : TGBaseLabel(owner) { SetCaptionQuietly(QString()); }

void TGPDLabel::SetDataFieldName(const QString& value) {
  if (value == fieldName_) return;
  fieldName_ = value;
  Repaint();
}

void TGPDLabel::SetDataFieldDescript(const QString& value) {
  if (value == fieldDescript_) return;
  fieldDescript_ = value;
  Repaint();
}

void TGPDLabel::WriteProperties(LayoutWriter& w) const {
  TGBaseLabel::WriteProperties(w);
  if (!fieldName_.isEmpty()) w.string("DataFieldName", platform::toFileText(fieldName_));
  if (!fieldDescript_.isEmpty()) w.string("DataFieldDescript", platform::toFileText(fieldDescript_));
  w.integer("LengthOfText", lengthOfText_);
}

bool TGPDLabel::ReadProperty(const StoredProperty& p) {
  if (p.name == "DataFieldName") SetDataFieldName(platform::fromFileText(stringOf(p.value)));
  else if (p.name == "DataFieldDescript") SetDataFieldDescript(platform::fromFileText(stringOf(p.value)));
  else if (p.name == "LengthOfText") lengthOfText_ = integerOf(p.value);
  else return TGBaseLabel::ReadProperty(p);
  return true;
}

void TGPDLabel::BuildMenu() {
  if (Menu()) return;
  TGBaseLabel::BuildMenu();
  Menu()->addSeparator();
  Menu()->addAction(QStringLiteral("Field"), this, &TGPDLabel::ChooseField);
}

void TGPDLabel::RefreshData() {
  ElementPanel* panel = Panel();
  if (!panel) return;
  const bool printing = panel->printing();
  const auto field = FindDataField(panel->dataFields(), fieldDescript_);
  QString caption = Caption();
  if (field) {
    if (panel->displayDataValues() || printing) {
      caption = platform::fromFileText(panel->fieldText(field->name).value_or(std::string()));
      if (Trim(caption).isEmpty() && !printing) caption = QStringLiteral("<blank field>");
    } else {
      caption = QLatin1Char('[') + fieldDescript_ + QLatin1Char(']');
    }
  } else if (!printing) {
    caption = QStringLiteral("<undefined field>");
  }
  // Record values are not edits of the layout: no change is reported.
  SetCaptionQuietly(TrimRight(caption));
  if (!printing) Repaint();
}

void TGPDLabel::ClearData() { SetCaptionQuietly(QString()); }

void TGPDLabel::ChooseField() {
  ElementPanel* panel = Panel();
  if (!panel) return;
  QString name = fieldName_, descript = fieldDescript_;
  const bool chosen = ChooseDataField(
      panel->dataFields(), [](const DataField& f) { return f.type == 'C' && f.tag >= 0 && f.visible; }, name,
      descript);
  if (chosen) {
    SetDataFieldName(name);
    SetDataFieldDescript(descript);
    NotifyChanged();
  }
  panel->refreshData();
}

}  // namespace design
