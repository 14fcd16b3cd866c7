#include "layout_render.h"

#include <QObject>
#include <QString>
#include <map>

#include "data/data_set.h"
#include "design/element_classes.h"
#include "design/element_list_panel.h"
#include "design/label_object_filer.h"
#include "design/screen_ppi.h"
#include "platform/ansi_text.h"
#include "platform/print/print_job.h"

namespace qvlayout {

namespace {

// The record is an address record: every field of the address file, with
// its label and type, empty unless given; other given names are character
// fields labelled by their names.
std::vector<design::DataField> addressRecord(std::map<std::string, std::string>& record) {
  std::vector<design::DataField> fields;
  for (const data::DataField& d : data::DataSet::addressRecordView()) {
    if (d.calculated) continue;
    fields.push_back({d.name, d.type ? d.type : 'C', QString::fromStdString(d.label), 0, d.visible});
    record.try_emplace(d.name);
  }
  for (const auto& [name, value] : record) {
    bool known = false;
    for (const design::DataField& f : fields) known = known || f.name == name;
    if (!known) fields.push_back({name, 'C', QString::fromStdString(name), 0, true});
  }
  return fields;
}

}  // namespace

bool renderLayout(const std::string& bytes, const std::string& pdfPath, const RecordFields& given, int ppi) {
  design::SetPixelsPerInch(ppi);
  design::RegisterElementClasses();
  std::map<std::string, std::string> record;
  for (const auto& [name, value] : given)
    record[QString::fromStdString(name).toUpper().toStdString()] = platform::toFileText(QString::fromUtf8(value));
  design::ElementListPanel panel(QSize(int(8.5 * ppi), 11 * ppi));
  std::vector<design::DataField> fields = addressRecord(record);
  panel.setRecord(record, std::move(fields));
  QObject owner;
  design::LayoutReader reader(bytes);
  design::TGLabelObjectFiler::ReadElements(reader, &owner, panel);
  print::PrintJob job;
  job.setPaper({8.5, 11});
  job.onPrint = [&](print::Canvas& canvas) {
    for (design::TGGraphicControl* e : panel.elements()) {
      e->RefreshData();
      e->PrintOn(canvas, 0, 0);
    }
  };
  return job.runToPdf(QString::fromStdString(pdfPath));
}

}  // namespace qvlayout
