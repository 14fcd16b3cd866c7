// The new-file dialogs and the preferences dialog, driven through the modal runner.
#include <QApplication>

#include "../data/data_test_support.h"
#include "app/address_main.h"
#include "app/new_database_dialogs.h"
#include "app/help_windows.h"
#include "app/preferences_dialog.h"
#include "platform/modal.h"

using app::TAddressMain;

namespace {

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<TAddressMain>();
    window_->FormActivate();
  }
  void TearDown() override { platform::clearModalHandlers(); }

  qvtest::TestHome home_;
  std::unique_ptr<TAddressMain> window_;
};

}  // namespace

TEST_F(Dialogs, NamingAndCreatingANewFile) {
  QString proposed;
  platform::setModalHandler("app::TNewDataBaseName", [&](QDialog& d) {
    auto& dialog = static_cast<app::TNewDataBaseName&>(d);
    proposed = dialog.NameEdit->text();
    for (const char* bad : {"", "1ABC", "A-B"}) {
      dialog.NameEdit->setText(bad);
      EXPECT_FALSE(dialog.OkButton->isEnabled()) << bad;
      EXPECT_FALSE(dialog.InvalidLabel->isHidden()) << bad;
    }
    dialog.NameEdit->setText("_LIST");
    EXPECT_TRUE(dialog.OkButton->isEnabled());
    EXPECT_TRUE(dialog.InvalidLabel->isHidden());
    EXPECT_EQ(dialog.NameEdit->maxLength(), 8);
    return int(QDialog::Accepted);
  });
  window_->mnuNewClick();
  EXPECT_EQ(proposed, "ADD0002");  // add0001.DBF exists
  EXPECT_TRUE(xbase::fileExists(home_.data("_LIST.DBF")));
  EXPECT_EQ(window_->currentFile(), QString::fromStdString(home_.data("_LIST.DBF")));
  window_->mnuNewClick();  // the same name again
  EXPECT_EQ(home_.prompts.texts().back(), "That file already exists.Please select another name");
}

TEST_F(Dialogs, FieldLengths) {
  data::Settings settings;
  settings.writeInteger("NewFileFieldLengths", "FieldZIP", 7);
  app::TSpecifyFieldLengths dialog(data::readFieldWidths(settings), settings);
  auto edit = [&](const char* field) {
    for (std::size_t i = 0; i < 18; ++i)
      if (std::string(dialog.fields[i]) == field) return dialog.edits[i];
    return static_cast<QLineEdit*>(nullptr);
  };
  EXPECT_EQ(edit("ZIP")->text(), "7");  // kept as read, though below 10
  edit("CITY")->setText("9");
  dialog.checkEdit(7);
  EXPECT_EQ(edit("CITY")->text(), "30");  // back to the value shown at opening
  edit("CITY")->setText("abc");
  edit("LNAME")->setText("45");
  dialog.UseForAll->setChecked(true);
  dialog.OkButtonClick();
  EXPECT_EQ(dialog.widths()["CITY"], 30);
  EXPECT_EQ(dialog.widths()["LNAME"], 45);
  EXPECT_EQ(dialog.widths()["ZIP"], 7);
  EXPECT_EQ(settings.readInteger("NewFileFieldLengths", "FieldLNAME", 0), 45);

  app::TSpecifyFieldLengths defaults(data::readFieldWidths(settings), settings);
  defaults.DefaultsButtonClick();
  EXPECT_EQ(defaults.edits[13]->text(), "30");  // FAX
  EXPECT_EQ(defaults.edits[1]->text(), "30");   // LNAME
}

TEST_F(Dialogs, PreferencesWriteOnOkOnly) {
  platform::setModalHandler("app::TPreferences", [](QDialog& d) {
    auto& p = static_cast<app::TPreferences&>(d);
    EXPECT_EQ(p.boxes.size(), 28u);
    p.boxes.at("CarryCity")->setChecked(true);
    p.DefCountry->setText("USA");
    p.reject();
    return p.result();
  });
  window_->mnuPreferencesClick();
  data::Settings settings;
  EXPECT_EQ(settings.readString("Adding", "CarryCity", "none"), "none");  // Cancel writes nothing
  platform::setModalHandler("app::TPreferences", [](QDialog& d) {
    auto& p = static_cast<app::TPreferences&>(d);
    p.boxes.at("CarryCity")->setChecked(true);
    p.boxes.at("SkipfirstName")->setChecked(true);
    p.DefCountry->setText("USA");
    p.OkButtonClick();
    return p.result();
  });
  window_->mnuPreferencesClick();
  EXPECT_EQ(settings.readString("Adding", "CarryCity", ""), "1");
  EXPECT_EQ(settings.readString("Adding", "SkipfirstName", ""), "1");
  EXPECT_EQ(settings.readString("Adding", "PlugDate", ""), "0");
  EXPECT_EQ(settings.readString("Adding", "DefaultCountry", ""), "USA");

  // The new preferences apply at once: a new record gets the default country.
  window_->AddButtonClick();
  EXPECT_EQ(window_->TableQVW().text("COUNTRY"), "USA");
  window_->CancelButtonClick();
}

TEST(HelpWindows, GettingStartedUntilSwitchedOffAndTheOthers) {
  qvtest::TestHome home;
  int shown = 0;
  platform::setModalHandler("app::TGettingStarted", [&](QDialog& d) {
    auto& w = static_cast<app::TGettingStarted&>(d);
    ++shown;
    w.DontShow->setChecked(true);
    w.OkButtonClick();
    return w.result();
  });
  {
    TAddressMain window;
    window.FormActivate();
    QApplication::processEvents();  // the window opens once the activation is over
  }
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(data::Settings().readBool("Misc", "GettingStarted", false));
  {
    TAddressMain window;
    window.FormActivate();
    QApplication::processEvents();
  }
  EXPECT_EQ(shown, 1);  // switched off now
  std::vector<std::string> opened;
  for (const char* cls : {"app::TAboutBox", "app::THelpWindow"})
    platform::setModalHandler(cls, [&opened, cls](QDialog&) {
      opened.push_back(cls);
      return int(QDialog::Accepted);
    });
  TAddressMain window;
  window.actions.at("About...")->trigger();
  window.actions.at("Contents")->trigger();
  EXPECT_EQ(opened, (std::vector<std::string>{"app::TAboutBox", "app::THelpWindow"}));
  platform::clearModalHandlers();
}
