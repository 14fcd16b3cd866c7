// The main window driven headless: first start, the enable rules, adding,
// saving, deleting, cloning, tags, sorting, the recently used list and the
// messages of a failed open.
#include <QApplication>
#include <QKeyEvent>

#include "../data/data_test_support.h"
#include "app/address_main.h"
#include "data/address_file.h"
#include "data/preferences.h"
#include "platform/modal.h"
#include "xbase/index_set.h"

using app::TAddressMain;

namespace {

// Types text into a widget as a user would.
void type(QWidget* w, const QString& text) {
  w->setFocus();
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

// Lets every "Rebuild Indexes" window run to its end.
void runReindexWindows() {
  platform::setModalHandler("app::TQVReindex", [](QDialog& d) {
    d.show();
    for (int i = 0; i < 2000 && d.isVisible(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);
    return d.result();
  });
}

class MainWindow : public ::testing::Test {
 protected:
  void TearDown() override { platform::clearModalHandlers(); }
  void start() {
    window_ = std::make_unique<TAddressMain>();
    window_->FormActivate();
  }
  void addPerson(const QString& last, const QString& first, const QString& memo = QString()) {
    window_->AddButtonClick();
    type(window_->edits["LNAME"], last);
    type(window_->edits["FNAME"], first);
    if (!memo.isEmpty()) window_->MemoEdit->setPlainText(memo);
    window_->SaveButtonClick();
  }
  QString field(const char* name) { return window_->edits[name]->text(); }
  bool enabled(const char* caption) { return window_->actions.at(caption)->isEnabled(); }

  qvtest::TestHome home_;
  std::unique_ptr<TAddressMain> window_;
};

}  // namespace

TEST_F(MainWindow, FirstStartCreatesAndOpensTheDefaultFile) {
  start();
  const QString path = QString::fromStdString(home_.data("add0001.DBF"));
  EXPECT_TRUE(xbase::fileExists(home_.data("add0001.DBF")));
  EXPECT_EQ(window_->currentFile(), path);
  EXPECT_EQ(window_->windowTitle(), "Quillvane - " + path);
  EXPECT_EQ(window_->sortStatus(), "Sorted by Last Name");
  EXPECT_EQ(window_->filterStatus(), "No records");
  EXPECT_FALSE(window_->NoDataPanel->isVisible() && window_->isVisible());
  EXPECT_TRUE(window_->AddButton->isEnabled());
  for (QWidget* w : std::initializer_list<QWidget*>{window_->EditButton, window_->DeleteButton, window_->BrowseButton,
                                                    window_->SearchButton, window_->FilterButton, window_->NextButton})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_FALSE(window_->PrintMenu->isEnabled());
  EXPECT_FALSE(window_->UtilitiesMenu->isEnabled());
  EXPECT_TRUE(enabled("Add"));
  EXPECT_FALSE(enabled("Edit"));
  data::Settings s;
  EXPECT_FALSE(s.readString("Misc", "GlobalTagId", "").empty());
  EXPECT_EQ(s.readString("MRU", "Item1", ""), path.toStdString());
  EXPECT_NE(s.readInteger("TAddressMain_Placement", "Bottom", 0), 0);
  EXPECT_TRUE(home_.prompts.shown().empty());
}

TEST_F(MainWindow, EveryMenuEntryIsThereAndLaterOnesSaySo) {
  start();
  for (const char* caption : {"New Address Database", "Open Address DataBase", "Browse", "Search", "Import from DBF File",
                              "Import from ASCII File", "Import from Quillvane 1.x DBF", "Import from Quillvane 2.x DBF",
                              "Export ", "Set Filter", "Clear Filter", "Save Filter", "Restore Filter", "Clear Tags",
                              "Tag All Filter Matches", "Rebuild Indexes for this file", "Rebuild System File indexes",
                              "Preferences", "Exit ", "Undo typing", "Cut", "Copy", "Paste", "First", "Previous", "Next",
                              "Last", "Add", "Edit", "Delete", "Copy To Clipboard", "Create a Duplicate Record (Clone)",
                              "Count Zip Codes", "Check & Repair State and Zip Codes", "Check & Repair Duplicates",
                              "Convert Case", "Delete Records", "Search & Replace Field Values", "Print Labels",
                              "Print Letters", "Print Envelopes", "Print Reports", "Print Current Record", "Contents",
                              "Getting Started", "About...", "Search for Help On", "How to Use Help"})
    EXPECT_EQ(window_->actions.count(caption), 1u) << caption;
  EXPECT_EQ(window_->actions.at("Print Labels")->shortcut(), QKeySequence("Ctrl+L"));
  EXPECT_EQ(window_->SortMenu->actions().size(), 14);
  window_->actions.at("Count Zip Codes")->trigger();
  EXPECT_EQ(home_.prompts.texts().back(), "The command \"Count Zip Codes\" is not available yet.");
}

TEST_F(MainWindow, AddingSavingAndTheButtonsWhileEditing) {
  start();
  window_->AddButtonClick();
  EXPECT_TRUE(window_->editing());
  EXPECT_FALSE(window_->SaveButton->isHidden());
  EXPECT_TRUE(window_->AddButton->isHidden());
  EXPECT_FALSE(window_->RecordMenu->isEnabled());
  EXPECT_FALSE(window_->FileMenu->isEnabled());
  type(window_->edits["LNAME"], "Baker");
  type(window_->edits["MIDDLE"], "QX");  // a one-character field takes one character
  EXPECT_EQ(field("MIDDLE"), "Q");
  window_->MemoEdit->setPlainText("12345678");  // a multiple of 4: one blank more
  window_->SaveButtonClick();
  EXPECT_FALSE(window_->editing());
  EXPECT_EQ(window_->filterStatus(), "1 records (no filter)");
  EXPECT_EQ(window_->TableQVW().text("MEMO"), "12345678 ");
  EXPECT_EQ(window_->TableQVW().text("ISDEL"), "F");
  addPerson("Adams", "Ann", "1234567");
  EXPECT_EQ(window_->TableQVW().text("MEMO"), "1234567");
  EXPECT_EQ(window_->filterStatus(), "2 records (no filter)");
  EXPECT_TRUE(window_->EditButton->isEnabled());

  // In last-name order Adams comes first; Next at the end beeps.
  window_->RecordFirstClick();
  EXPECT_EQ(field("LNAME"), "Adams");
  window_->RecordNextClick();
  EXPECT_EQ(field("LNAME"), "Baker");
  window_->RecordNextClick();
  window_->RecordFirstClick();
  window_->RecordPrevClick();
  EXPECT_EQ(home_.prompts.texts(), (std::vector<std::string>{"<beep>", "<beep>"}));

  // Edit and cancel leave the record as it was.
  window_->EditButtonClick();
  type(window_->edits["LNAME"], "Zed");
  window_->CancelButtonClick();
  EXPECT_EQ(field("LNAME"), "Adams");
}

TEST_F(MainWindow, DeletingCloningTagsAndSorting) {
  start();
  addPerson("Baker", "John");
  addPerson("Carter", "Ann");
  home_.prompts.clear();
  home_.prompts.answer(true);
  window_->mnuCloneClick();
  EXPECT_EQ(home_.prompts.shown().back().text, "Clone completed. Current record is an exact copy");
  EXPECT_EQ(window_->filterStatus(), "3 records (no filter)");

  // Sorting by first name checks exactly that entry.
  window_->SetOrderTo("First Name");
  EXPECT_EQ(window_->sortStatus(), "Sorted by First Name");
  int checked = 0;
  for (QAction* a : window_->SortMenu->actions()) checked += a->isChecked();
  EXPECT_EQ(checked, 1);
  EXPECT_TRUE(window_->SortMenu->actions()[1]->isChecked());
  window_->RecordFirstClick();
  EXPECT_EQ(field("FNAME"), "Ann");

  // Tagging and clearing the tags.
  window_->ToggleTag();
  EXPECT_TRUE(window_->Tagged->isChecked());
  window_->ClearTags1Click();
  EXPECT_FALSE(window_->Tagged->isChecked());

  // Deleting asks first; the record leaves the view and carries both marks.
  home_.prompts.clear();
  window_->DeleteButtonClick();  // answered No
  EXPECT_EQ(window_->filterStatus(), "3 records (no filter)");
  home_.prompts.answer(true);
  uint32_t recno = window_->TableQVW().recno();
  window_->DeleteButtonClick();
  EXPECT_EQ(home_.prompts.shown().back(), (platform::ScriptedPrompts::Shown{"ask", "DELETE", "Delete this record?"}));
  EXPECT_EQ(window_->filterStatus(), "2 records (no filter)");
  EXPECT_TRUE(window_->TableQVW().table().isDeleted(recno));
  xbase::Record r = window_->TableQVW().table().read(recno);
  EXPECT_EQ(r.text("ISDEL"), "T");
}

TEST_F(MainWindow, RecentFilesAndFailedOpens) {
  start();
  const QString first = QString::fromStdString(home_.data("add0001.DBF"));
  std::vector<QString> files;
  for (int i = 2; i <= 5; ++i) {
    std::string p = home_.data("F" + std::to_string(i) + ".DBF");
    ASSERT_TRUE(data::createAddressFile(p, data::defaultFieldWidths()));
    files.push_back(QString::fromStdString(p));
  }
  window_->OpenQVWDBF(files[0]);
  window_->OpenQVWDBF(files[0]);  // once in the list
  data::Settings s;
  EXPECT_EQ(data::readRecentFiles(s).size(), 2u);
  for (const QString& f : files) window_->OpenQVWDBF(f);
  std::vector<std::string> recent = data::readRecentFiles(s);
  ASSERT_EQ(recent.size(), 4u);
  EXPECT_EQ(recent.front(), files[3].toStdString());
  EXPECT_EQ(std::find(recent.begin(), recent.end(), first.toStdString()), recent.end());  // the oldest dropped
  EXPECT_EQ(window_->recentEntries.size(), 4u);

  // A recently used file that has gone: the two messages, and the previous file back.
  std::filesystem::remove(files[1].toStdString());
  home_.prompts.clear();
  for (QAction* a : window_->recentEntries)
    if (a->text() == files[1]) a->trigger();
  EXPECT_EQ(home_.prompts.texts(),
            (std::vector<std::string>{"File " + files[1].toStdString() + " not found",
                                      "Unable to open " + files[1].toStdString() +
                                          "\r\n\r\n * May not be a Quillvane file.\r\n * May be in use by another program or user"}));
  EXPECT_EQ(window_->currentFile(), files[3]);
  EXPECT_TRUE(window_->TableQVW().active());
}

TEST_F(MainWindow, DecliningTheRebuildLeavesNoDataButKeepsTheName) {
  std::string path = home_.data("NOINDEX.DBF");
  ASSERT_TRUE(data::createAddressFile(path, data::defaultFieldWidths()));
  {
    auto t = xbase::Table::open(path);
    t->indexes().deleteProduction();
  }
  data::Settings s;
  data::writeRecentFiles(s, {path});
  start();  // opens the recently used file; the question is answered No
  EXPECT_EQ(home_.prompts.shown().front(),
            (platform::ScriptedPrompts::Shown{"ask", "Warning", "The index file for " + path + "\r\nis missing or invalid. Rebuild now?"}));
  EXPECT_FALSE(window_->TableQVW().active());
  EXPECT_TRUE(window_->RecordArea->isHidden());
  EXPECT_EQ(window_->windowTitle(), "Quillvane - " + QString::fromStdString(path));
  EXPECT_EQ(data::readRecentFiles(s).front(), path);
  EXPECT_FALSE(window_->AddButton->isEnabled());

  // Yes rebuilds it, in the "Rebuild Indexes" window.
  runReindexWindows();
  home_.prompts.answer(true);
  EXPECT_TRUE(window_->OpenQVWDBF(QString::fromStdString(path)));
  EXPECT_TRUE(window_->TableQVW().active());
  EXPECT_FALSE(window_->RecordArea->isHidden());
}

TEST_F(MainWindow, ClosingWhileEditingDiscardsTheEdit) {
  start();
  addPerson("Keep", "Me");
  window_->EditButtonClick();
  type(window_->edits["LNAME"], "Lost");
  window_->close();
  auto t = xbase::Table::open(home_.data("add0001.DBF"));
  EXPECT_EQ(t->read(1).text("LNAME"), "Keep");
}

TEST_F(MainWindow, RebuildingTheIndexesRemovesDeletedRecords) {
  start();
  addPerson("Keep", "One");
  addPerson("Drop", "Two");
  home_.prompts.answer(true);
  window_->DeleteButtonClick();  // the current record is "Drop"
  ASSERT_EQ(window_->TableQVW().table().recordCount(), 2u);
  runReindexWindows();
  window_->mnuRebuildIndexesClick();
  EXPECT_EQ(window_->TableQVW().table().recordCount(), 1u);
  EXPECT_EQ(window_->filterStatus(), "1 records (no filter)");
  EXPECT_EQ(window_->sortStatus(), "Sorted by Last Name");
  EXPECT_EQ(window_->TableQVW().text("LNAME"), "Keep");
}
