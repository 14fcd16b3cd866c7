// The main window's record tools: search by key, memo search, the date
// selector and copying the record to the clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>

#include <QScreen>
#include <algorithm>

#include "address_browse_form.h"
#include "address_main.h"
#include "data/placement.h"
#include "data/system_files.h"
#include "data/record_text.h"
#include "platform/home.h"
#include "platform/modal.h"
#include "platform/prompts.h"
#include "record_tools.h"
#include "xbase/date.h"
#include "xbase/error.h"

namespace app {

namespace {

QStringList orderNames() {
  return {"Last Name", "First Name", "Title", "Organization", "Street", "City", "State",
          "Zip",       "Country",    "Phone", "E-mail",       "Fax",    "Date", "Codes"};
}

}  // namespace

void TAddressMain::SearchButtonClick() {
  if (!table_->active()) return;
  QString current = SortStatus->text().mid(QStringLiteral("Sorted by ").size());
  TSearchBox box(orderNames(), current, this);
  if (platform::runModal(box) != QDialog::Accepted || box.SearchText->text().isEmpty()) return;
  const QString order = box.SearchOrder->currentText();
  SetOrderTo(order);
  std::string text = toFileText(box.SearchText->text().toUpper());
  const bool exact = env_.exact, soft = env_.softSeek;
  env_.exact = false;
  env_.softSeek = true;
  const uint32_t remembered = table_->recno();
  try {
    if (table_->cursor().seek(text)) table_->refresh();
    else if (remembered) table_->go(remembered);
  } catch (const xbase::Error&) {
    if (remembered) table_->go(remembered);
  }
  env_.exact = exact;
  env_.softSeek = soft;
  SetButtons();
}

void TAddressMain::BrowseButtonClick() {
  if (!table_->active()) return;
  // The column order: FIELDS.LST line i names the field at position i; unknown names are skipped.
  std::vector<std::string> order;
  for (const data::DataField& f : table_->fields()) order.push_back(f.name);
  std::size_t position = 0;
  for (const std::string& name : data::readFieldsList()) {
    auto it = std::find(order.begin(), order.end(), name);
    if (it == order.end() || position >= order.size()) continue;
    std::string moved = *it;
    order.erase(it);
    order.insert(order.begin() + long(position++), moved);
  }
  if (editing_) {
    platform::prompts().beep();
    return;
  }
  {
    TAddressBrowseForm form(*table_, order, [this] { ToggleTag(); }, this);
    const int dpi = screen() ? qRound(screen()->logicalDotsPerInch()) : 96;
    if (dpi > 96) form.resize(int(form.width() * dpi / 96.0 * 0.95), int(form.height() * dpi / 96.0 * 0.95));
    QRect g = form.geometry();
    QRect s = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    data::Placement p = data::restorePlacement(settings_, "TAddressBrowseForm", dpi, s.width(), s.height(), false,
                                               data::Rect{g.left(), g.top(), g.right() + 1, g.bottom() + 1});
    if (!p.centred) form.setGeometry(p.rect.left, p.rect.top, p.rect.width(), p.rect.height());
    platform::runModal(form);
    QRect end = form.geometry();
    data::savePlacement(settings_, "TAddressBrowseForm", dpi, data::Rect{end.left(), end.top(), end.right() + 1, end.bottom() + 1},
                        false);
    data::writeFieldsList(form.fieldOrder());
  }
  table_->refresh();
  SetButtons();
}

bool TAddressMain::FindTextInMemo(bool fromStart) {
  TQVWSearching searching(*table_, memoSearchText_, fromStart, this);
  platform::runModal(searching);
  memoFound_ = searching.found();
  FindNextButton->setVisible(memoFound_);
  refreshMemo();
  return memoFound_;
}

void TAddressMain::SearchMemoButtonClick() {
  QInputDialog ask(this);
  ask.setObjectName(QStringLiteral("MemoSearch"));
  ask.setWindowTitle(QStringLiteral("Memo Search"));
  ask.setLabelText(QStringLiteral("Search For"));
  ask.setTextValue(QString());
  if (platform::runModal(ask) != QDialog::Accepted) return;
  memoFound_ = false;
  memoSearchText_ = toFileText(ask.textValue());
  FindTextInMemo(true);
  SetButtons();
}

void TAddressMain::SearchMemoNextButtonClick() {
  FindTextInMemo(false);
  SetButtons();
}

void TAddressMain::DateLabelClick() {
  if (!table_->active() || table_->recno() == 0) return;
  QDate shown = QDate::currentDate();
  if (xbase::JulianDay jd = xbase::parseDtos(table_->text("DATE")); jd) {
    xbase::CalendarDate c = xbase::fromJulian(jd);
    shown = QDate(c.year, c.month, c.day);
  }
  TDateSelector selector(shown, this);
  int result = platform::runModal(selector);
  if (result != QDialog::Accepted && result != TDateSelector::NoDate) return;
  if (table_->state() == data::DataSet::State::Browse) table_->edit();
  table_->setText("DATE", result == TDateSelector::NoDate ? std::string()
                                                          : selector.date().toString(QStringLiteral("yyyyMMdd")).toStdString());
  SetButtons();
}

void TAddressMain::ToClipboard1Click() {
  if (!table_->active() || table_->recno() == 0) return;
  TCopyToClipBoard dialog(this);
  if (platform::runModal(dialog) != QDialog::Accepted) return;
  data::RecordTextBlocks blocks;
  blocks.name = dialog.NameBox->isChecked();
  blocks.address = dialog.AddressBox->isChecked();
  blocks.phones = dialog.PhoneBox->isChecked();
  blocks.codes = dialog.CodesBox->isChecked();
  blocks.comments = dialog.CommentsBox->isChecked();
  QGuiApplication::clipboard()->setText(QString::fromLocal8Bit(data::recordAsText(*table_, blocks).c_str()));
  platform::prompts().info("Record copied to Windows Clipboard");
}

}  // namespace app
