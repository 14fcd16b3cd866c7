// The forms of single-line text: the text entry form ("Text") and the 3D
// effects form ("Text 3D Effects") with its live sample.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QWidget>

#include "design/forms/color_combo.h"
#include "design/forms/form_support.h"

namespace design {

class TGBaseLabel;
class TGPLabel;

class TGetLabelText : public QDialog {
  Q_OBJECT

 public:
  explicit TGetLabelText(const QString& text, QWidget* parent = nullptr);
  QLineEdit* Text;
  FormButtons Buttons;
};

class TGFont3DEffects : public QDialog {
  Q_OBJECT

 public:
  // The controls and the sample start from `element`.
  explicit TGFont3DEffects(const TGBaseLabel& element, QWidget* parent = nullptr);
  ~TGFont3DEffects() override;

  QComboBox *ShadowDirection, *ShadowDepth, *HighlightDirection, *HighlightDepth;
  ColorCombo *ShadowColor, *HighlightColor, *FontColor;
  TGPLabel* Sample;
  QWidget* SamplePanel;
  FormButtons Buttons;

  // What Ok hands back: the sample's font with its colour, both depths,
  // directions and colours.
  void ApplyTo(TGBaseLabel& element) const;

 private:
  void updateSample();
};

}  // namespace design
