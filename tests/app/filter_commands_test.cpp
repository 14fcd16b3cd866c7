// The main window's filter commands: the "Address Filter" dialog with Test,
// Ok, Clear and Cancel, clearing, saving and restoring .FLT files, and
// tagging every match in the "Tagging" window.
#include <QApplication>
#include <QFileDialog>

#include "../data/data_test_support.h"
#include "app/address_main.h"
#include "app/address_query_form.h"
#include "app/tag_all_records.h"
#include "platform/modal.h"

using app::TAddressMain;

namespace {

class FilterCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<TAddressMain>();
    window_->FormActivate();
    const char* names[][2] = {{"Baker", "IL"}, {"Barker", "OR"}, {"Smith", "IL"}, {"Jones", "TX"}};
    for (auto& n : names) {
      window_->AddButtonClick();
      window_->TableQVW().setText("LNAME", n[0]);
      window_->TableQVW().setText("STATE", n[1]);
      window_->SaveButtonClick();
    }
    home_.prompts.clear();
  }
  void TearDown() override { platform::clearModalHandlers(); }

  // Answers the filter dialog: fills entries (by position), presses the buttons named.
  void answerFilter(std::map<int, QString> entries, std::vector<QString> presses, QString* label = nullptr) {
    platform::setModalHandler("app::TAddressQueryForm", [=](QDialog& d) {
      auto& form = static_cast<app::TAddressQueryForm&>(d);
      for (auto& [i, text] : entries) form.entries[std::size_t(i)]->setText(text);
      for (const QString& b : presses) {
        if (b == "Test") form.TestButtonClick();
        if (b == "Clear") form.ClearButtonClick();
        if (b == "Ok") form.OkButtonClick();
        if (b == "Cancel") form.reject();
      }
      if (label) *label = form.MatchCount->text();
      return form.result();
    });
  }

  qvtest::TestHome home_;
  std::unique_ptr<TAddressMain> window_;
};

}  // namespace

TEST_F(FilterCommands, TheFilterDialogTestsAppliesAndCancels) {
  QString label;
  answerFilter({{0, "ba"}}, {"Test"}, &label);
  window_->FilterButtonClick();  // tested, then cancelled: the old (empty) values come back
  EXPECT_EQ(label, "2 matches");
  EXPECT_EQ(window_->filter().userFilter, "");
  EXPECT_EQ(window_->filterStatus(), "4 records (no filter)");

  answerFilter({{0, "ba"}, {8, "il"}}, {"Ok"}, &label);
  window_->FilterButtonClick();
  EXPECT_EQ(label, "1 matches");
  EXPECT_EQ(window_->filter().userFilter, R"(UPPER(LNAME)="BA" and UPPER(STATE)="IL")");
  EXPECT_EQ(window_->filterStatus(), "1 filter matches");
  EXPECT_FALSE(window_->ClearFilterButton->isHidden());
  EXPECT_TRUE(window_->actions.at("Save Filter")->isEnabled());

  // Nothing matches: "No filter set", and OK closes with the filter dropped.
  answerFilter({{0, "zzz"}, {8, ""}}, {"Ok"}, &label);
  window_->FilterButtonClick();
  EXPECT_EQ(label, "No filter set");
  EXPECT_EQ(window_->filter().userFilter, "");
  EXPECT_TRUE(window_->ClearFilterButton->isHidden());

  answerFilter({{15, "$"}}, {"Clear"}, &label);
  window_->FilterButtonClick();
  EXPECT_EQ(label, "No filter set");

  // While editing the command only beeps.
  window_->EditButtonClick();
  home_.prompts.clear();
  window_->FilterButtonClick();
  EXPECT_EQ(home_.prompts.texts(), std::vector<std::string>{"<beep>"});
  window_->CancelButtonClick();
}

TEST_F(FilterCommands, ClearingSavingAndRestoringFilters) {
  answerFilter({{8, "IL"}}, {"Ok"});
  window_->FilterButtonClick();
  ASSERT_EQ(window_->filterStatus(), "2 filter matches");

  const std::string flt = home_.dir.file("illinois");  // no extension: .FLT is added
  platform::setModalHandler("QFileDialog", [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(QString::fromStdString(flt));
    return int(QDialog::Accepted);
  });
  window_->mnuSaveFilterClick();
  ASSERT_TRUE(xbase::fileExists(flt + ".FLT"));
  home_.prompts.answer(false);
  platform::setModalHandler("QFileDialog", [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(QString::fromStdString(flt + ".FLT"));
    return int(QDialog::Accepted);
  });
  window_->mnuSaveFilterClick();  // exists: asked, No keeps it
  EXPECT_EQ(home_.prompts.shown().back(),
            (platform::ScriptedPrompts::Shown{"ask", "Warning!", flt + ".FLT already exists.\r\nDo you want to overwrite it?"}));
  platform::setModalHandler("QFileDialog", [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(QString::fromStdString(flt + ".TXT"));
    return int(QDialog::Accepted);
  });
  window_->mnuSaveFilterClick();
  EXPECT_EQ(home_.prompts.texts().back(), "Must have a .FLT extension");

  window_->ClearFilterClick();
  EXPECT_EQ(window_->filterStatus(), "4 records (no filter)");
  EXPECT_EQ(window_->filter().values, data::FilterValues());

  platform::setModalHandler("QFileDialog", [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(QString::fromStdString(flt + ".FLT"));
    return int(QDialog::Accepted);
  });
  window_->mnuRestoreFilterClick();
  EXPECT_EQ(window_->filterStatus(), "2 filter matches");
  EXPECT_EQ(window_->filter().values.entries[8], "IL");
}

TEST_F(FilterCommands, TaggingAllMatches) {
  answerFilter({{8, "IL"}}, {"Ok"});
  window_->FilterButtonClick();
  home_.prompts.answer(true);
  platform::setModalHandler("app::TTagAllRecords", [](QDialog& d) {
    auto& w = static_cast<app::TTagAllRecords&>(d);
    w.show();
    for (int i = 0; i < 1000 && !w.finished(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(w.TaggingLabel->text(), "Complete");
    EXPECT_TRUE(w.CancelButton->isHidden());
    w.OkButton->click();
    return w.result();
  });
  window_->mnuTagAllFilterMatchesClick();
  EXPECT_EQ(home_.prompts.shown().front(),
            (platform::ScriptedPrompts::Shown{"ask", "TAG ALL", "Tag all records matching filter?"}));
  window_->ClearFilterClick();
  int tagged = 0;
  for (bool ok = window_->TableQVW().first(); ok; ok = window_->TableQVW().next())
    tagged += window_->TableQVW().text("Tagged") == "Yes";
  EXPECT_EQ(tagged, 2);
}
