// The browse grid: the view in the current order, columns in the user's
// order kept in FIELDS.LST, tagging from the grid, moving the main window.
#include <QApplication>
#include <QHeaderView>

#include "../data/data_test_support.h"
#include "app/address_browse_form.h"
#include "app/address_main.h"
#include "data/system_files.h"
#include "platform/modal.h"

using app::TAddressMain;

namespace {

class Browse : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<TAddressMain>();
    window_->FormActivate();
    for (const char* name : {"Carter", "Adams", "Baker"}) {
      window_->AddButtonClick();
      window_->TableQVW().setText("LNAME", name);
      window_->TableQVW().setText("CITY", std::string(name) + "ville");
      window_->SaveButtonClick();
    }
    window_->RecordFirstClick();
    home_.prompts.clear();
  }
  void TearDown() override { platform::clearModalHandlers(); }
  // Opens the grid; `use` drives it while it is open.
  void browse(std::function<void(app::TAddressBrowseForm&)> use) {
    platform::setModalHandler("app::TAddressBrowseForm", [use](QDialog& d) {
      use(static_cast<app::TAddressBrowseForm&>(d));
      return int(QDialog::Accepted);
    });
    window_->BrowseButtonClick();
  }
  QString header(app::TAddressBrowseForm& f, int visual) {
    int logical = f.Grid->horizontalHeader()->logicalIndex(visual);
    return f.Model->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
  }

  qvtest::TestHome home_;
  std::unique_ptr<TAddressMain> window_;
};

}  // namespace

TEST_F(Browse, TheViewInOrderAndTheColumnsAsTheUserLeftThem) {
  browse([&](app::TAddressBrowseForm& f) {
    EXPECT_EQ(f.windowTitle(), "Address Browse");
    EXPECT_EQ(f.Model->rowCount(), 3);
    EXPECT_EQ(header(f, 0), "Tagged");
    EXPECT_EQ(header(f, 1), "Last Name");
    EXPECT_EQ(f.Model->data(f.Model->index(0, 1), Qt::DisplayRole).toString(), "Adams");
    EXPECT_EQ(f.Model->data(f.Model->index(2, 1), Qt::DisplayRole).toString(), "Carter");
    // Move "City" to the front.
    QHeaderView* h = f.Grid->horizontalHeader();
    for (int v = 0; v < h->count(); ++v)
      if (header(f, v) == "City") h->moveSection(v, 0);
    EXPECT_EQ(header(f, 0), "City");
    f.moveTo(2);
  });
  EXPECT_EQ(window_->TableQVW().text("LNAME"), "Carter");  // the grid moved the main window
  std::vector<std::string> saved = data::readFieldsList();
  ASSERT_EQ(saved.size(), 28u);
  EXPECT_EQ(saved[0], "CITY");
  browse([&](app::TAddressBrowseForm& f) { EXPECT_EQ(header(f, 0), "City"); });
  // A line naming no field is skipped.
  data::writeFieldsList({"NOSUCH", "ZIP"});
  browse([&](app::TAddressBrowseForm& f) { EXPECT_EQ(header(f, 0), "Zip/Postal Code"); });
}

TEST_F(Browse, TaggingFromTheGridAndTheEnds) {
  browse([&](app::TAddressBrowseForm& f) {
    f.moveTo(0);
    f.TagButtonClick();
    EXPECT_EQ(f.Model->data(f.Model->index(0, 0), Qt::DisplayRole).toString(), "Yes");
    f.PriorButton->click();  // at the start: beep
    f.LastButton->click();
    f.NextButton->click();   // at the end: beep
  });
  EXPECT_EQ(home_.prompts.texts(), (std::vector<std::string>{"<beep>", "<beep>"}));
  window_->RecordFirstClick();
  EXPECT_EQ(window_->TableQVW().text("Tagged"), "Yes");
  // While editing the grid does not open.
  window_->EditButtonClick();
  bool opened = false;
  browse([&](app::TAddressBrowseForm&) { opened = true; });
  EXPECT_FALSE(opened);
  EXPECT_EQ(home_.prompts.texts().back(), "<beep>");
  window_->CancelButtonClick();
}
