// A window to try the design panels by hand: a label panel with a few
// elements, the grid and a selection, and an envelope panel with its
// automation zones. With OUTPUT.png it saves a picture of itself and quits
// (scripts/screenshot-design).
// usage: design_harness [OUTPUT.png]
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "design/elements/address_label.h"
#include "design/elements/base_label.h"
#include "design/elements/postnet_element.h"
#include "design/elements/shape_elements.h"
#include "design/fonts.h"
#include "design/panel_kinds.h"

namespace {

struct SampleRecord : design::RecordSource {
  bool isOpen() const override { return true; }
  std::vector<design::DataField> fields() const override { return {{"LNAME", 'C', "Last Name"}}; }
  std::optional<std::string> fieldText(const std::string& name) const override {
    static const std::map<std::string, std::string> r = {
        {"PREFIX", "Dr."}, {"FNAME", "Ann"}, {"MIDDLE", "B"}, {"LNAME", "Cole"}, {"TITLE", ""},
        {"ORG", "Cole Veterinary"}, {"STREET", "123 Main St"}, {"STREET2", ""}, {"CITY", "Boise"},
        {"STATE", "ID"}, {"ZIP", "83702-1234"}, {"COUNTRY", ""}, {"PHONE", ""}};
    auto it = r.find(name);
    if (it == r.end()) return std::nullopt;
    return it->second;
  }
};

template <class Element>
Element* put(design::TGDataPanel& panel, QRect r) {
  auto* e = new Element(panel.Owner());
  e->BuildMenu();
  panel.PlaceNewElement(e, r);
  return e;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  design::registerLayoutFonts();
  SampleRecord record;
  QWidget window;
  window.setWindowTitle(QStringLiteral("Design panels"));
  auto* layout = new QVBoxLayout(&window);

  layout->addWidget(new QLabel(QStringLiteral("Label panel: grid, an address label, a selection")));
  auto* label = new design::TGLabelPanel(&window);
  label->setFixedSize(384, 144);  // a 4 x 1.5 inch label
  label->SetDataSet(&record);
  label->SetShowGrid(true);
  label->SetDrawOutline(true);
  auto* title = put<design::TGPLabel>(*label, QRect(12, 8, 142, 20));
  title->SetCaption(QStringLiteral("Season's Greetings"));
  title->AutoSize();
  auto* address = put<design::TGDMultiLineAddressLabel>(*label, QRect(12, 36, 200, 60));
  auto* box = put<design::TGLabelShapes>(*label, QRect(260, 12, 100, 40));
  box->SetShape(design::ShapeType::RoundRect);
  auto* bar = put<design::TGPostNetBarCode>(*label, QRect(12, 112, 270, 16));
  bar->SetZipCodeField(QStringLiteral("ZIP"));
  bar->SetAddressField(QStringLiteral("STREET"));
  label->RefreshDataValues();
  address->SizeToContents();
  label->select(address);
  label->select(box);
  layout->addWidget(label);

  layout->addWidget(new QLabel(QStringLiteral("Envelope panel: automation zones and unprintable margins")));
  auto* envelope = new design::TEnvelopePanel(&window);
  envelope->setFixedSize(912, 396);  // a 9.5 x 4.125 inch envelope
  envelope->SetShape(design::LabelShape::Rectangle);
  envelope->SetDataSet(&record);
  envelope->ShowTemplate = envelope->ShowUnprintable = true;
  envelope->MarginLeft = envelope->MarginTop = envelope->MarginRight = envelope->MarginBottom = 24;
  envelope->PageWidth = 912;
  envelope->PageHeight = 396;
  auto* to = put<design::TGDMultiLineAddressLabel>(*envelope, QRect(380, 180, 300, 80));
  envelope->RefreshDataValues();
  to->SizeToContents();
  layout->addWidget(envelope);
  window.show();

  if (argc >= 2) {
    QTimer::singleShot(300, [&] {
      QApplication::processEvents();
      window.grab().save(QString::fromLocal8Bit(argv[1]));
      app.quit();
    });
  }
  return app.exec();
}
