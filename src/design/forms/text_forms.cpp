#include "text_forms.h"

#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "design/elements/base_label.h"

namespace design {

namespace {

// The white panel the sample text stands on, filled by it.
class SampleView : public QWidget {
 public:
  SampleView(TGPLabel* sample, QWidget* parent) : QWidget(parent), sample_(sample) {
    setMinimumSize(220, 70);
    setAutoFillBackground(false);
  }

 protected:
  void resizeEvent(QResizeEvent*) override { sample_->SetBounds(0, 0, width(), height()); }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    sample_->Paint(p);
  }

 private:
  TGPLabel* sample_;
};

QComboBox* listOf(const QStringList& items, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->addItems(items);
  return box;
}

QStringList depths() {
  QStringList items;
  for (int i = 0; i <= 10; ++i) items << QString::number(i);
  return items;
}

}  // namespace

TGetLabelText::TGetLabelText(const QString& text, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TGetLabelText"));
  setWindowTitle(QStringLiteral("Text"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Enter Text"), this));
  Text = new QLineEdit(text, this);
  Text->setMinimumWidth(300);
  layout->addWidget(Text);
  Buttons = addFormButtons(*this, *layout, 40004);
}

TGFont3DEffects::TGFont3DEffects(const TGBaseLabel& element, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TGFont3DEffects"));
  setWindowTitle(QStringLiteral("Text 3D Effects"));
  ShadowDirection = listOf({"None", "Right", "Left", "Lower Right", "Lower Left", "Down"}, this);
  ShadowColor = new ColorCombo(this);
  ShadowDepth = listOf(depths(), this);
  HighlightDirection = listOf({"None", "Right", "Left", "Upper Right", "Upper Left", "Up"}, this);
  HighlightColor = new ColorCombo(this);
  HighlightDepth = listOf(depths(), this);
  FontColor = new ColorCombo(this);
  Sample = new TGPLabel(this);
  Sample->SetCaption(QStringLiteral("Sample"));
  SamplePanel = new SampleView(Sample, this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Shadow Direction"), ShadowDirection);
  form->addRow(QStringLiteral("Shadow Color"), ShadowColor);
  form->addRow(QStringLiteral("Shadow Depth"), ShadowDepth);
  form->addRow(QStringLiteral("Highlight Direction"), HighlightDirection);
  form->addRow(QStringLiteral("Highlight Color"), HighlightColor);
  form->addRow(QStringLiteral("Highlight Depth"), HighlightDepth);
  form->addRow(QStringLiteral("Font Color"), FontColor);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(SamplePanel, 1);
  Buttons = addFormButtons(*this, *layout, 40008);

  Sample->SetFont(element.Font());
  Sample->SetDepthShadow(element.DepthShadow());
  Sample->SetDepthHighlight(element.DepthHighlight());
  Sample->SetDirectionShadow(element.DirectionShadow());
  Sample->SetDirectionHighlight(element.DirectionHighlight());
  Sample->SetColorShadow(element.ColorShadow());
  Sample->SetColorHighlight(element.ColorHighlight());
  ShadowDirection->setCurrentIndex(element.DirectionShadow());
  ShadowDepth->setCurrentIndex(std::clamp(element.DepthShadow(), 0, 10));
  HighlightDirection->setCurrentIndex(element.DirectionHighlight());
  HighlightDepth->setCurrentIndex(std::clamp(element.DepthHighlight(), 0, 10));
  ShadowColor->setColor(element.ColorShadow());
  HighlightColor->setColor(element.ColorHighlight());
  FontColor->setColor(element.Font().color);

  for (QComboBox* box : {static_cast<QComboBox*>(ShadowDirection), ShadowDepth, HighlightDirection, HighlightDepth,
                         static_cast<QComboBox*>(ShadowColor), static_cast<QComboBox*>(HighlightColor),
                         static_cast<QComboBox*>(FontColor)})
    connect(box, &QComboBox::currentIndexChanged, this, &TGFont3DEffects::updateSample);
}

TGFont3DEffects::~TGFont3DEffects() = default;

void TGFont3DEffects::updateSample() {
  Sample->SetDirectionShadow(ShadowDirection->currentIndex());
  Sample->SetDepthShadow(ShadowDepth->currentIndex());
  Sample->SetDirectionHighlight(HighlightDirection->currentIndex());
  Sample->SetDepthHighlight(HighlightDepth->currentIndex());
  Sample->SetColorShadow(ShadowColor->color());
  Sample->SetColorHighlight(HighlightColor->color());
  ElementFont font = Sample->Font();
  font.color = FontColor->color();
  Sample->SetFont(font);
  SamplePanel->update();
}

void TGFont3DEffects::ApplyTo(TGBaseLabel& element) const {
  element.SetFont(Sample->Font());
  element.SetDepthShadow(Sample->DepthShadow());
  element.SetDepthHighlight(Sample->DepthHighlight());
  element.SetDirectionShadow(Sample->DirectionShadow());
  element.SetDirectionHighlight(Sample->DirectionHighlight());
  element.SetColorShadow(Sample->ColorShadow());
  element.SetColorHighlight(Sample->ColorHighlight());
}

}  // namespace design
