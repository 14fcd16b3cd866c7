// The record tools of the main window: search by key, memo search with
// "Find Next", the date selector and copying a record to the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>

#include "../data/data_test_support.h"
#include "app/address_main.h"
#include "app/record_tools.h"
#include "data/record_text.h"
#include "platform/modal.h"

using app::TAddressMain;

namespace {

class RecordTools : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<TAddressMain>();
    window_->FormActivate();
    const char* rows[][4] = {{"BARNES", "Boston", "", "Call about the invoice"},
                             {"BAKER", "Albany", "19970428", "nothing here"},
                             {"Young", "Zurich", "", "Second Invoice, please"},
                             {"Adams", "Chicago", "", ""}};
    for (auto& r : rows) {
      window_->AddButtonClick();
      window_->TableQVW().setText("LNAME", r[0]);
      window_->TableQVW().setText("CITY", r[1]);
      window_->TableQVW().setText("DATE", r[2]);
      window_->MemoEdit->setPlainText(r[3]);
      window_->SaveButtonClick();
    }
    window_->RecordFirstClick();
    home_.prompts.clear();
  }
  void TearDown() override { platform::clearModalHandlers(); }
  void search(const QString& order, const QString& text) {
    platform::setModalHandler("app::TSearchBox", [=](QDialog& d) {
      auto& box = static_cast<app::TSearchBox&>(d);
      box.SearchOrder->setCurrentText(order);
      EXPECT_EQ(box.Prompt->text(), "Search " + order + " starting with...");
      box.SearchText->setText(text);
      return int(QDialog::Accepted);
    });
    window_->SearchButtonClick();
  }
  std::string current() { return window_->TableQVW().text("LNAME"); }

  qvtest::TestHome home_;
  std::unique_ptr<TAddressMain> window_;
};

void runSearchWindows() {
  platform::setModalHandler("app::TQVWSearching", [](QDialog& d) {
    d.show();
    for (int i = 0; i < 2000 && d.isVisible(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);
    return d.result();
  });
}

}  // namespace

TEST_F(RecordTools, SearchFindsTheFirstKeyStartingWithTheText) {
  search("Last Name", "bak");
  EXPECT_EQ(current(), "BAKER");
  search("Last Name", "zzz");
  EXPECT_EQ(current(), "BAKER");  // unchanged
  search("City", "zu");
  EXPECT_EQ(current(), "Young");
  EXPECT_EQ(window_->sortStatus(), "Sorted by City");
  EXPECT_TRUE(window_->SortMenu->actions()[5]->isChecked());
  window_->RecordFirstClick();
  EXPECT_EQ(current(), "BAKER");  // Albany: the file stays in City order
}

TEST_F(RecordTools, MemoSearchAndFindNext) {
  runSearchWindows();
  platform::setModalHandler("QInputDialog", [](QDialog& d) {
    auto& ask = static_cast<QInputDialog&>(d);
    EXPECT_EQ(ask.windowTitle(), "Memo Search");
    EXPECT_EQ(ask.labelText(), "Search For");
    ask.setTextValue("invoice");
    return int(QDialog::Accepted);
  });
  window_->SearchMemoButtonClick();
  EXPECT_EQ(current(), "BARNES");  // first in last-name order with INVOICE: Adams, BAKER, BARNES, Young
  EXPECT_FALSE(window_->FindNextButton->isHidden());
  window_->SearchMemoNextButtonClick();
  EXPECT_EQ(current(), "Young");
  window_->SearchMemoNextButtonClick();  // no more: beep, back where this search started
  EXPECT_EQ(current(), "Young");
  EXPECT_TRUE(window_->FindNextButton->isHidden());
  EXPECT_EQ(home_.prompts.texts(), std::vector<std::string>{"<beep>"});
  EXPECT_TRUE(app::memoContains("An Invoice", "INVOICE"));
  EXPECT_FALSE(app::memoContains("", "X"));
  EXPECT_FALSE(app::memoContains(std::string(40000, 'a') + "invoice", "INVOICE"));  // past 32,767 characters
}

TEST_F(RecordTools, TheDateSelectorSetsOrEmptiesTheDate) {
  search("Last Name", "BAKER");
  QDate shown;
  platform::setModalHandler("app::TDateSelector", [&](QDialog& d) {
    auto& s = static_cast<app::TDateSelector&>(d);
    shown = s.date();
    EXPECT_EQ(s.YearBack->toolTip(), "Show the previous year");
    s.MonthForward->click();
    EXPECT_EQ(s.LongDate->text(), QLocale().toString(s.date(), QLocale::LongFormat));
    return int(app::TDateSelector::NoDate);
  });
  window_->DateLabelClick();
  EXPECT_EQ(shown, QDate(1997, 4, 28));
  EXPECT_TRUE(window_->editing());
  EXPECT_EQ(window_->TableQVW().text("DATE"), "");
  window_->CancelButtonClick();
  EXPECT_EQ(window_->TableQVW().text("DATE"), "19970428");
  platform::setModalHandler("app::TDateSelector", [&](QDialog& d) {
    auto& s = static_cast<app::TDateSelector&>(d);
    s.YearForward->click();
    return int(QDialog::Accepted);
  });
  window_->DateLabelClick();
  EXPECT_EQ(window_->TableQVW().text("DATE"), "19980428");
  window_->SaveButtonClick();
}

TEST_F(RecordTools, ClipboardText) {
  data::DataSet& t = window_->TableQVW();
  window_->AddButtonClick();
  t.setText("LNAME", "Baker");
  t.setText("CITY", "Boston");
  t.setText("STATE", "MA");
  window_->SaveButtonClick();
  EXPECT_EQ(data::recordAsText(t, {}), "Baker \r\nBoston  MA \r\n");
  t.edit();
  t.setText("FNAME", "John");
  t.setText("MIDDLE", "Q");
  t.setText("LNAME", "Smith");
  t.setText("PHONE", "555-1234");
  t.setText("CODES", "AB");
  t.setText("USER2", "note");
  data::RecordTextBlocks nameOnly{false, false, false, false, true};
  EXPECT_EQ(data::recordAsText(t, nameOnly), "John Q. Smith \r\n");
  EXPECT_EQ(data::recordAsText(t, {}),
            "John Q. Smith \r\nBoston  MA \r\nPhone  :555-1234\r\nCodes :AB\r\nComment 2 :note\r\n");
  window_->SaveButtonClick();
  platform::setModalHandler("app::TCopyToClipBoard", [](QDialog& d) {
    auto& c = static_cast<app::TCopyToClipBoard&>(d);
    c.AddressBox->setChecked(false);
    return int(QDialog::Accepted);
  });
  window_->ToClipboard1Click();
  EXPECT_EQ(home_.prompts.texts().back(), "Record copied to Windows Clipboard");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "John Q. Smith \r\nPhone  :555-1234\r\nCodes :AB\r\nComment 2 :note\r\n");
}
