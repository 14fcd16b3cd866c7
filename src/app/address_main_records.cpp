// The main window's record commands: moving, adding, editing, saving,
// cancelling, deleting and cloning records, tags, and the sort order.
#include <QApplication>
#include <map>

#include "address_main.h"
#include "data/tag_identifier.h"
#include "platform/home.h"
#include "platform/prompts.h"
#include "xbase/error.h"
#include "xbase/index_set.h"

namespace app {

namespace {

// The Sort menu's order names and the tags they select.
const std::map<QString, QString>& sortTags() {
  static const std::map<QString, QString> tags = {
      {"LAST NAME", "LNAME"}, {"FIRST NAME", "FNAME"}, {"TITLE", "TITLE"}, {"ORGANIZATION", "ORG"},
      {"STREET", "STREET"},   {"CITY", "CITY"},        {"STATE", "STATE"}, {"ZIP", "ZIP"},
      {"COUNTRY", "COUNTRY"}, {"PHONE", "PHONE"},      {"E-MAIL", "EMAIL"}, {"FAX", "FAX"},
      {"DATE", "DATE"},       {"CODES", "CODES"}};
  return tags;
}

// True when nothing matches the query in force any more.
bool viewEmpty(data::DataSet& t) { return t.cursor().count() == 0; }

}  // namespace

void TAddressMain::RecordFirstClick() {
  table_->first();
  SetButtons();
}

void TAddressMain::RecordLastClick() {
  table_->last();
  SetButtons();
}

void TAddressMain::RecordNextClick() {
  if (!table_->next()) platform::prompts().beep();
  SetButtons();
}

void TAddressMain::RecordPrevClick() {
  if (!table_->prior()) platform::prompts().beep();
  SetButtons();
}

void TAddressMain::EditButtonClick() {
  if (!table_->active() || table_->state() != data::DataSet::State::Browse || table_->recno() == 0) return;
  table_->edit();
  SetButtons();
}

void TAddressMain::AddButtonClick() {
  if (!table_->active() || table_->state() != data::DataSet::State::Browse) return;
  Notebook->setCurrentIndex(0);
  const data::AddingPreferences& p = prefs_.adding;
  std::map<std::string, std::string> kept;
  for (const char* f : {"ORG", "CITY", "STATE", "ZIP", "STREET", "STREET2"}) kept[f] = table_->text(f);
  std::string country = p.carryCountry ? table_->text("COUNTRY") : std::string();
  memoLoading_ = true;
  MemoEdit->clear();
  memoLoading_ = false;
  table_->insert();
  auto put = [this](const char* field, const std::string& value) { table_->setText(field, value); };
  if (p.carryZip) put("ZIP", kept["ZIP"]);
  if (p.carryCity) put("CITY", kept["CITY"]);
  if (p.carryState) put("STATE", kept["STATE"]);
  if (p.carryCountry) put("COUNTRY", country);
  if (p.carrySA1) put("STREET", kept["STREET"]);
  if (p.carrySA2) put("STREET2", kept["STREET2"]);
  if (country.empty() && !p.defaultCountry.empty()) put("COUNTRY", p.defaultCountry);
  if (p.plugDate) {
    platform::DateTime d = platform::now();
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", d.year, d.month, d.day);
    put("DATE", date);
  }
  if (p.carryOrg) put("ORG", kept["ORG"]);
  put("ISDEL", "F");
  SetButtons();
  edits["LNAME"]->setFocus();
}

void TAddressMain::SaveButtonClick() {
  if (!editing_) return;
  QString memo = MemoEdit->toPlainText();
  memo.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  // A memo whose length is a positive multiple of 4 gets one blank more.
  if (!memo.isEmpty() && memo.size() % 4 == 0) memo += QLatin1Char(' ');
  table_->setText("MEMO", toFileText(memo));
  if (!table_->post()) return;
  if (viewEmpty(*table_)) ApplyFilter();
  SetButtons();
}

void TAddressMain::CancelButtonClick() {
  table_->cancel();
  SetButtons();
}

void TAddressMain::DeleteButtonClick() {
  if (!table_->active() || table_->recno() == 0) return;
  if (platform::prompts().ask("DELETE", "Delete this record?", false)) {
    uint32_t recno = table_->recno();
    env_.deleted = false;
    table_->table().setDeleted(recno, true);
    table_->go(recno);
    table_->edit();
    table_->setText("ISDEL", "T");
    table_->post();
    env_.deleted = true;
    if (!table_->prior()) table_->first();
  }
  if (viewEmpty(*table_)) ApplyFilter();
  table_->refresh();
  SetButtons();
}

void TAddressMain::mnuCloneClick() {
  if (!table_->active() || table_->recno() == 0) return;
  if (!platform::prompts().ask("Clone", "Clone this record?", false)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  table_->disableControls();
  recordEventsOn_ = false;
  std::map<std::string, std::string> values;
  for (const char* f : {"LNAME", "FNAME", "MIDDLE", "PREFIX", "TITLE", "ORG", "STREET", "STREET2", "CITY", "STATE",
                        "ZIP", "COUNTRY", "PHONE", "PHONE2", "EMAIL", "FAX", "CODES", "DATE", "USER1", "USER2", "MEMO"})
    values[f] = table_->text(f);
  table_->insert();
  for (const auto& [field, value] : values) table_->setText(field, value);
  table_->setText("ISDEL", "F");
  table_->post();
  table_->enableControls();
  recordEventsOn_ = true;
  QApplication::restoreOverrideCursor();
  SetButtons();
  platform::prompts().info("Clone completed. Current record is an exact copy");
}

void TAddressMain::ToggleTag() {
  if (!table_->active() || table_->recno() == 0) {
    refreshRecord();
    return;
  }
  const bool wasEditing = editing_;
  if (!wasEditing) {
    recordEventsOn_ = false;
    table_->edit();
  }
  bool tagged = table_->text("TAG") == prefs_.tagIdentifier;
  table_->setText("TAG", tagged ? std::string() : prefs_.tagIdentifier);
  if (!wasEditing) {
    table_->post();
    recordEventsOn_ = true;
  }
  if (viewEmpty(*table_)) ApplyFilter();
  refreshRecord();
  SetButtons();
}

void TAddressMain::ClearTags1Click() {
  prefs_.tagIdentifier = data::makeNewTagIdentifier(platform::now(), prefs_.tagIdentifier);
  data::saveTagPref(settings_, prefs_.tagIdentifier);
  table_->setTagIdentifier(prefs_.tagIdentifier);
  ApplyFilter();
  table_->refresh();
  SetButtons();
}

void TAddressMain::SetOrderTo(const QString& orderName) {
  auto it = sortTags().find(orderName.toUpper());
  if (it == sortTags().end()) return;
  SetCurrentOrder(it->second);
  SortStatus->setText(QStringLiteral("Sorted by ") + orderName);
  for (QAction* a : SortMenu->actions()) a->setChecked(a->text().mid(1).toUpper() == orderName.toUpper());
}

void TAddressMain::SetCurrentOrder(const QString& tag) {
  currentOrder_ = tag;
  if (tag.isEmpty() || !table_->active()) return;
  try {
    table_->cursor().setOrder(tag.toStdString());
  } catch (const xbase::Error&) {
    // a missing tag leaves the order as it was
  }
}

}  // namespace app
