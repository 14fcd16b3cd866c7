// TAddressMain, the program's main window: it owns the open address file
// and shows one record at a time, with the menus, toolbar, record edits,
// button row and status line. Opening files, the enable rules of every
// command and the status texts live here; the record commands are in
// address_main_records.cpp, the menus and toolbar in address_main_menus.cpp.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <map>
#include <optional>
#include <memory>
#include <vector>

#include "data/data_set.h"
#include "data/filters.h"
#include "data/preferences.h"
#include "data/settings.h"
#include "field_edit.h"
#include "xbase/environment.h"

namespace app {

class TAddressMain : public QMainWindow {
  Q_OBJECT
  friend class HandOver;

 public:
  explicit TAddressMain(QWidget* parent = nullptr);
  ~TAddressMain() override;

  // Opens an address file into TableQVW (the main window's side of it).
  bool OpenQVWDBF(const QString& path);
  void SetButtons();
  void UpdateFilterStatus();
  uint32_t ApplyFilter();
  void LoadPreferences();
  void SetExtraFields(bool visible);
  void SetOrderTo(const QString& orderName);
  void SetCurrentOrder(const QString& tag);
  void ToggleTag();
  // Runs the memo search window from the first record or the next one; sets the found flag.
  bool FindTextInMemo(bool fromStart);
  // Seeks the ZIP code (Exact off) and returns that record's city and state.
  std::optional<std::pair<std::string, std::string>> FillCityState(const std::string& zip);
  // True when adding may go on: no record with these names, or the user
  // said to continue; on No the duplicate becomes the current record.
  bool CheckDupName(const std::string& first, const std::string& last);
  QString GetDatabasePath() const;
  // Runs the first activation now if it is still pending (tests call it).
  void FormActivate();

  data::DataSet& TableQVW() { return *table_; }
  const QString& currentFile() const { return currentFile_; }
  const QString& currentOrder() const { return currentOrder_; }
  data::FilterState& filter() { return filter_; }
  bool editing() const { return editing_; }
  QString filterStatus() const { return FilterStatus->isHidden() ? QString() : FilterStatus->text(); }
  QString sortStatus() const { return SortStatus->text(); }

  // Widgets with the names the program's parts refer to.
  QToolButton *LabelsButton, *LettersButton, *EnvelopesButton, *ReportsButton, *BrowseButton, *SearchButton,
      *FilterButton, *MouseHelpButton;
  QPushButton *FirstButton, *PrevButton, *NextButton, *LastButton, *SaveButton, *CancelButton, *AddButton, *EditButton,
      *DeleteButton, *ExitButton, *ClearFilterButton, *DateButton, *DialButton1, *DialButton2, *SearchMemoButton,
      *FindNextButton;
  QCheckBox* Tagged;
  QTabWidget* Notebook;
  QPlainTextEdit* MemoEdit;
  QLabel *FilterStatus, *SortStatus, *NoDataPanel;
  QWidget* RecordArea;  // name panel and notebook
  std::map<QString, FieldEdit*> edits;  // by field name
  std::map<QString, QAction*> actions;  // by the entry's caption without "&"

  // Menu entries by role.
  QMenu *FileMenu, *EditMenu, *RecordMenu, *SortMenu, *UtilitiesMenu, *PrintMenu, *HelpMenu;
  QAction *mnuExit;
  std::vector<QAction*> recentEntries;

 public slots:
  void AddButtonClick();
  void EditButtonClick();
  void SaveButtonClick();
  void CancelButtonClick();
  void DeleteButtonClick();
  void mnuCloneClick();
  void RecordFirstClick();
  void RecordPrevClick();
  void RecordNextClick();
  void RecordLastClick();
  void ClearTags1Click();
  void mnuOpenClick();
  void ExitClick();
  void FilterButtonClick();
  void ClearFilterClick();
  void mnuSaveFilterClick();
  void mnuRestoreFilterClick();
  void mnuTagAllFilterMatchesClick();
  void mnuNewClick();
  void mnuPreferencesClick();
  void GettingStartedClick();
  void mnuRebuildIndexesClick();
  void SearchButtonClick();
  void BrowseButtonClick();
  void SearchMemoButtonClick();
  void SearchMemoNextButtonClick();
  void DateLabelClick();
  void ToClipboard1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Building the window (address_main_menus.cpp and address_main.cpp).
  void buildMenus();
  void buildToolbar();
  QWidget* buildRecordArea();
  QWidget* buildButtonRow();
  QAction* entry(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {});
  void notAvailable(const QString& command);
  void addWhatsThis(QWidget* button, const QString& text);

  void OnOpenQVWFile(bool open);
  void putOnTopOfRecent(const QString& path);
  void rebuildRecentMenu();
  void openRecent(const QString& path);
  void refreshRecord();
  void refreshMemo();
  void restoreTabStops();
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool recordEventsOn_ = true;

  xbase::Environment env_;
  std::unique_ptr<data::DataSet> table_;
  data::Settings settings_;
  data::Preferences prefs_;
  data::FilterState filter_;
  QString currentFile_;
  QString currentOrder_;
  QString filterFolder_;  // where the user last saved a filter
  bool indexValid_ = false;
  bool firstActivation_ = true;
  bool editing_ = false;
  bool memoLoading_ = false;
  bool insertMode_ = false;
  std::string memoSearchText_;  // the last memo search
  bool memoFound_ = false;
  std::pair<uint64_t, std::string> countKey_;  // what viewCount_ was counted for
  uint32_t viewCount_ = 0;                     // records in view  // the Insert key's toggle: typing inserts instead of replacing
};

}  // namespace app
