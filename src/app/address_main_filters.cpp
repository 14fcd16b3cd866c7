// The main window's filter commands: the filter dialog, clearing, saving and
// restoring .FLT files, and tagging every record the filter matches.
#include <QFileDialog>
#include <QFileInfo>

#include "address_main.h"
#include "address_query_form.h"
#include "hand_over.h"
#include "platform/home.h"
#include "platform/modal.h"
#include "platform/prompts.h"
#include "tag_all_records.h"

namespace app {

void TAddressMain::FilterButtonClick() {
  if (editing_) {
    platform::prompts().beep();
    return;
  }
  const data::FilterValues saved = filter_.values;
  TAddressQueryForm form([this](const data::FilterValues& v) -> std::optional<uint32_t> {
    filter_.values = v;
    uint32_t n = ApplyFilter();
    table_->first();
    if (filter_.userFilter.empty()) return std::nullopt;
    return n;
  }, this);
  form.setValues(filter_.values);
  filter_.values = platform::runModal(form) == QDialog::Accepted ? form.values() : saved;
  ApplyFilter();
  SetButtons();
}

void TAddressMain::ClearFilterClick() {
  data::clearQueryVars(filter_);
  ApplyFilter();
  table_->first();
  SetButtons();
}

void TAddressMain::mnuSaveFilterClick() {
  QFileDialog dialog(this, QStringLiteral("Save Filter"), filterFolder_.isEmpty() ? QString::fromStdString(platform::homeFolder()) : filterFolder_,
                     QStringLiteral("Filter files (*.FLT)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("FLT"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(QStringLiteral("*.FLT"));
  if (platform::runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  QString name = dialog.selectedFiles().first();
  filterFolder_ = QFileInfo(name).absolutePath();
  QString suffix = QFileInfo(name).suffix();
  if (suffix.toUpper() != QStringLiteral("FLT")) {
    if (QFileInfo(name).fileName().contains(QLatin1Char('.'))) {
      platform::prompts().info("Must have a .FLT extension");
      return;
    }
    name += QStringLiteral(".FLT");
  }
  if (QFileInfo::exists(name) &&
      !platform::prompts().ask("Warning!", name.toStdString() + " already exists.\r\nDo you want to overwrite it?", true))
    return;
  data::saveFilterTo(name.toLocal8Bit().toStdString(), filter_.values);
}

void TAddressMain::mnuRestoreFilterClick() {
  QFileDialog dialog(this, QStringLiteral("Restore Filter"), QString::fromStdString(platform::homeFolder()),
                     QStringLiteral("Filter Files (*.flt *.FLT)"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QStringLiteral("FLT"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (platform::runModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    QString name = dialog.selectedFiles().first();
    if (QFileInfo(name).suffix().toUpper() != QStringLiteral("FLT")) {
      platform::prompts().info("Must be a Filter (.FLT) file");
    } else if (data::restoreFilterFrom(name.toLocal8Bit().toStdString(), filter_.values)) {
      ApplyFilter();
      SetButtons();
    }
  }
  SetButtons();
}

void TAddressMain::mnuTagAllFilterMatchesClick() {
  if (!platform::prompts().ask("TAG ALL", "Tag all records matching filter?", false)) return;
  {
    HandOver frame(*this, HandOver::Full);
    TTagAllRecords window(*table_, prefs_.tagIdentifier, this);
    platform::runModal(window);
  }
  table_->first();
  SetButtons();
}

}  // namespace app
