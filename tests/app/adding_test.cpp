// Adding records with the adding preferences (the "New Record" dialog, the
// duplicate check, city and state from the ZIP code, carry-forward, skipped
// Tab stops) and the main window's keys.
#include <QApplication>
#include <QKeyEvent>

#include "../data/data_test_support.h"
#include "app/address_main.h"
#include "app/new_record_dialog.h"
#include "data/preferences.h"
#include "platform/modal.h"

using app::TAddressMain;

namespace {

void key(QWidget* w, int k, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, k, m, text);
  QApplication::sendEvent(w, &press);
}

class Adding : public ::testing::Test {
 protected:
  void start(data::AddingPreferences p) {
    data::Settings s;
    data::writeAddingPreferences(s, p);
    window_ = std::make_unique<TAddressMain>();
    window_->FormActivate();
    data::DataSet& t = window_->TableQVW();
    const char* rows[][6] = {{"Baker", "John", "1 Oak St", "Springfield", "IL", "62701"},
                             {"Chen", "Wei", "2 Elm St", "Salem", "OR", "97301"},
                             {"Dunn", "Amy", "3 Ash St", "Shelbyville", "IL", "62701"}};
    for (auto& r : rows) {
      t.insert();
      const char* f[] = {"LNAME", "FNAME", "STREET", "CITY", "STATE", "ZIP"};
      for (int i = 0; i < 6; ++i) t.setText(f[i], r[i]);
      t.setText("COUNTRY", "");
      t.post();
    }
    window_->SetButtons();
    home_.prompts.clear();
  }
  void TearDown() override { platform::clearModalHandlers(); }
  void answerNewRecord(QString last, QString first, QString zip, bool ok = true) {
    platform::setModalHandler("app::TGetFirstLastZip", [=](QDialog& d) {
      auto& dialog = static_cast<app::TGetFirstLastZip&>(d);
      dialog.LastNameEdit->setText(last);
      dialog.FirstNameEdit->setText(first);
      dialog.ZipEdit->setText(zip);
      return ok ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
  }

  qvtest::TestHome home_;
  std::unique_ptr<TAddressMain> window_;
};

}  // namespace

TEST_F(Adding, ADuplicateNameIsQuestioned) {
  data::AddingPreferences p;
  p.autoDupCheck = true;
  start(p);
  answerNewRecord("baker", "john", "");
  window_->RecordLastClick();
  window_->AddButtonClick();  // answered No
  ASSERT_EQ(home_.prompts.shown().size(), 2u);
  EXPECT_EQ(home_.prompts.shown()[0].kind, "beep");
  EXPECT_EQ(home_.prompts.shown()[1],
            (platform::ScriptedPrompts::Shown{"ask", "Possible Duplicate",
                                              "Possible duplicate: \r\n\r\nJohn Baker\r\n1 Oak St\r\nSpringfield,IL "
                                              "62701\r\n\r\nContinue adding?"}));
  EXPECT_FALSE(window_->editing());
  EXPECT_EQ(window_->TableQVW().text("LNAME"), "Baker");  // the duplicate is current
  EXPECT_EQ(window_->TableQVW().table().recordCount(), 3u);

  home_.prompts.answer(true);
  window_->AddButtonClick();  // Yes: adding goes on with the names given
  EXPECT_TRUE(window_->editing());
  EXPECT_EQ(window_->TableQVW().text("LNAME"), "baker");
  EXPECT_EQ(window_->TableQVW().text("FNAME"), "john");
  window_->CancelButtonClick();

  answerNewRecord("", "", "", false);
  window_->AddButtonClick();  // Cancel in the dialog: no new record
  EXPECT_FALSE(window_->editing());
}

TEST_F(Adding, CityAndStateFromTheZipCodeAndCarriedFields) {
  data::AddingPreferences p;
  p.plugCityState = true;
  p.carryCity = p.carryState = p.carrySA1 = true;
  p.defaultCountry = "USA";
  p.skipMiddleInitial = true;
  start(p);
  answerNewRecord("", "", "62701");
  window_->AddButtonClick();
  // The first of several records with that ZIP code in ZIP order (Baker, record 1).
  EXPECT_EQ(window_->TableQVW().text("CITY"), "Springfield");
  EXPECT_EQ(window_->TableQVW().text("STATE"), "IL");
  EXPECT_EQ(window_->TableQVW().text("ZIP"), "62701");
  EXPECT_EQ(window_->TableQVW().text("COUNTRY"), "USA");
  EXPECT_EQ(window_->edits["MIDDLE"]->focusPolicy(), Qt::ClickFocus);  // skipped by Tab
  window_->CancelButtonClick();
  EXPECT_EQ(window_->edits["MIDDLE"]->focusPolicy(), Qt::StrongFocus);

  window_->RecordFirstClick();  // Baker
  answerNewRecord("", "", "99999");  // no record has it: the carry-forward rules apply
  window_->AddButtonClick();
  EXPECT_EQ(window_->TableQVW().text("CITY"), "Springfield");
  EXPECT_EQ(window_->TableQVW().text("STREET"), "1 Oak St");
  EXPECT_EQ(window_->TableQVW().text("ZIP"), "99999");
  window_->CancelButtonClick();
}

TEST_F(Adding, KeysOfTheMainWindow) {
  start({});
  window_->RecordFirstClick();
  QWidget* last = window_->edits["LNAME"];
  key(last, Qt::Key_PageDown);
  EXPECT_EQ(window_->TableQVW().text("LNAME"), "Chen");
  key(last, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(window_->TableQVW().text("LNAME"), "Dunn");
  key(last, Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(window_->TableQVW().text("LNAME"), "Baker");

  // Overtype: the typed character replaces the one at the caret.
  window_->EditButtonClick();
  auto* edit = window_->edits["LNAME"];
  edit->setCursorPosition(0);
  key(edit, Qt::Key_M, Qt::NoModifier, "M");
  EXPECT_EQ(edit->text(), "Maker");
  key(edit, Qt::Key_Insert);  // typing inserts now
  key(edit, Qt::Key_X, Qt::NoModifier, "x");
  EXPECT_EQ(edit->text(), "Mxaker");

  // Escape asks before cancelling; Page Down asks before saving.
  key(edit, Qt::Key_Escape);
  EXPECT_EQ(home_.prompts.shown().back(), (platform::ScriptedPrompts::Shown{"ask", "Cancel", "Cancel changes?"}));
  EXPECT_TRUE(window_->editing());
  home_.prompts.answer(true);
  key(edit, Qt::Key_PageDown);
  EXPECT_EQ(home_.prompts.shown().back(), (platform::ScriptedPrompts::Shown{"ask", "Save", "Save changes?"}));
  EXPECT_FALSE(window_->editing());
  EXPECT_EQ(window_->TableQVW().text("LNAME"), "Mxaker");

  // Alt+Enter saves and offers another record.
  window_->EditButtonClick();
  home_.prompts.answer(true);
  key(edit, Qt::Key_Return, Qt::AltModifier);
  EXPECT_EQ(home_.prompts.shown().back(), (platform::ScriptedPrompts::Shown{"ask", "Add", "Add another record?"}));
  EXPECT_TRUE(window_->editing());
  EXPECT_EQ(window_->TableQVW().recno(), 0u);  // a new record
  key(edit, Qt::Key_Return, Qt::ControlModifier);  // Ctrl+Enter saves it
  EXPECT_FALSE(window_->editing());
  EXPECT_EQ(window_->TableQVW().table().recordCount(), 4u);
}
