// The main window's record commands: moving, adding, editing, saving,
// cancelling, deleting and cloning records, tags, and the sort order.
#include <QApplication>
#include <cctype>
#include <map>

#include "address_main.h"
#include "new_record_dialog.h"
#include "platform/modal.h"
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

std::optional<std::pair<std::string, std::string>> TAddressMain::FillCityState(const std::string& zip) {
  const uint32_t recno = table_->recno();
  const int order = table_->cursor().orderNumber();
  const bool exact = env_.exact;
  std::optional<std::pair<std::string, std::string>> found;
  try {
    table_->cursor().setOrder("ZIP");
    env_.exact = false;
    std::string key = zip;
    for (char& c : key) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (table_->cursor().seek(key)) {
      table_->refresh();
      found.emplace(table_->text("CITY"), table_->text("STATE"));
    }
  } catch (const xbase::Error&) {
  }
  env_.exact = exact;
  try {
    table_->cursor().setOrder(order);
  } catch (const xbase::Error&) {
  }
  table_->go(recno);
  return found;
}

bool TAddressMain::CheckDupName(const std::string& first, const std::string& last) {
  if (first.empty() || last.empty()) return true;
  const uint32_t recno = table_->recno();
  const int order = table_->cursor().orderNumber();
  const bool exact = env_.exact;
  auto padded = [](std::string s) {
    s.resize(30, ' ');
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  bool found = false;
  try {
    table_->cursor().setOrder("LNAME");
    env_.exact = true;
    found = table_->cursor().seek(padded(last) + padded(first));
  } catch (const xbase::Error&) {
  }
  bool goOn = true;
  if (found) {
    table_->refresh();
    platform::prompts().beep();
    goOn = platform::prompts().ask(
        "Possible Duplicate",
        "Possible duplicate: \r\n\r\n" + table_->text("FNAME") + " " + table_->text("LNAME") + "\r\n" +
            table_->text("STREET") + "\r\n" + table_->text("CITY") + "," + table_->text("STATE") + " " +
            table_->text("ZIP") + "\r\n\r\nContinue adding?",
        true);
  }
  env_.exact = exact;
  uint32_t duplicate = table_->cursor().recno();
  try {
    table_->cursor().setOrder(order);
  } catch (const xbase::Error&) {
  }
  table_->go(goOn || !found ? recno : duplicate);
  return goOn;
}

void TAddressMain::AddButtonClick() {
  if (!table_->active() || table_->state() != data::DataSet::State::Browse) return;
  Notebook->setCurrentIndex(0);
  const data::AddingPreferences& p = prefs_.adding;
  std::map<std::string, std::string> kept;
  for (const char* f : {"ORG", "CITY", "STATE", "ZIP", "STREET", "STREET2"}) kept[f] = table_->text(f);
  std::string country = p.carryCountry ? table_->text("COUNTRY") : std::string();

  std::string first, last, zip;
  std::optional<std::pair<std::string, std::string>> cityState;
  if (p.plugCityState || p.autoDupCheck) {
    auto width = [this](const char* f) { return table_->fields()[std::size_t(table_->fieldIndex(f))].size; };
    TGetFirstLastZip ask(p.autoDupCheck, p.plugCityState, width("LNAME"), width("FNAME"), width("ZIP"), this);
    if (platform::runModal(ask) != QDialog::Accepted) return;
    last = toFileText(ask.LastNameEdit->text());
    first = toFileText(ask.FirstNameEdit->text());
    zip = toFileText(ask.ZipEdit->text());
    if (!zip.empty()) cityState = FillCityState(zip);
    if (!CheckDupName(first, last)) {
      SetButtons();
      return;
    }
  }

  memoLoading_ = true;
  MemoEdit->clear();
  memoLoading_ = false;
  table_->insert();
  auto put = [this](const char* field, const std::string& value) { table_->setText(field, value); };
  if (!first.empty()) put("FNAME", first);
  if (!last.empty()) put("LNAME", last);
  if (!zip.empty()) put("ZIP", zip);
  if (cityState) {
    put("CITY", cityState->first);
    put("STATE", cityState->second);
  }
  if (zip.empty() && p.carryZip) put("ZIP", kept["ZIP"]);
  if (!cityState && p.carryCity) put("CITY", kept["CITY"]);
  if (!cityState && p.carryState) put("STATE", kept["STATE"]);
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

  // Focus, then the skip Tab stops until the record is posted or cancelled.
  const std::pair<const char*, bool> skips[] = {
      {"LNAME", p.skipLastName},      {"FNAME", p.skipFirstName},   {"MIDDLE", p.skipMiddleInitial},
      {"PREFIX", p.skipPrefix},       {"TITLE", p.skipTitle},       {"ORG", p.skipOrganization},
      {"STREET2", p.skipAddress2},    {"STATE", p.skipState},       {"ZIP", p.skipZip},
      {"COUNTRY", p.skipCountry},     {"PHONE", p.skipPhone1},      {"PHONE2", p.skipPhone2},
      {"FAX", p.skipFax},             {"EMAIL", p.skipEmail},       {"CODES", p.skipCodes},
      {"USER1", p.skipComments1},     {"USER2", p.skipComments2},   {"DisplayDate", p.skipDate}};
  auto skipped = [&](const char* f) {
    for (auto& [name, skip] : skips)
      if (std::string(name) == f) return skip;
    return false;
  };
  const char* focus = "STREET";
  if (table_->text("LNAME").empty() && !skipped("LNAME")) focus = "LNAME";
  else if (table_->text("FNAME").empty() && !skipped("FNAME")) focus = "FNAME";
  else
    for (const char* f : {"MIDDLE", "PREFIX", "TITLE", "ORG"})
      if (!skipped(f)) {
        focus = f;
        break;
      }
  edits[focus]->setFocus();
  for (auto& [name, skip] : skips)
    if (skip) edits[name]->setFocusPolicy(Qt::ClickFocus);
}

void TAddressMain::restoreTabStops() {
  for (auto& [name, edit] : edits) edit->setFocusPolicy(Qt::StrongFocus);
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
