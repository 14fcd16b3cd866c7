#include "address_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "data/address_file.h"
#include "hand_over.h"
#include "help_windows.h"
#include "new_database_dialogs.h"
#include "preferences_dialog.h"
#include "qv_reindex.h"
#include "data/placement.h"
#include "platform/home.h"
#include "platform/modal.h"
#include "platform/print/printers.h"
#include "platform/prompts.h"
#include "xbase/index_set.h"

namespace app {

namespace {

QString fromFile(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }

int screenDpi(QWidget* w) { return w->screen() ? qRound(w->screen()->logicalDotsPerInch()) : 96; }

}  // namespace

TAddressMain::TAddressMain(QWidget* parent) : QMainWindow(parent), table_(std::make_unique<data::DataSet>(env_)) {
  setObjectName(QStringLiteral("TAddressMain"));
  setFont(QFont(QStringLiteral("Arial")));
  table_->declare(data::DataSet::addressRecordView());
  table_->onDataChange = [this](data::DataSet&) {
    refreshRecord();
    if (table_->state() == data::DataSet::State::Browse) refreshMemo();
    UpdateFilterStatus();
  };
  table_->afterEdit = [this](data::DataSet&) {
    if (recordEventsOn_) SetButtons();
  };
  table_->afterInsert = [this](data::DataSet&) {
    if (recordEventsOn_) {
      SetButtons();
      edits["LNAME"]->setFocus();
    }
  };
  table_->afterPost = [this](data::DataSet&) {
    if (recordEventsOn_) SetButtons();
    restoreTabStops();
  };
  table_->afterCancel = [this](data::DataSet&) {
    SetButtons();
    restoreTabStops();
  };

  buildMenus();
  buildToolbar();
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  NoDataPanel = new QLabel(QStringLiteral("Please Open or Create a Quillvane Address file"), central);
  NoDataPanel->setAlignment(Qt::AlignCenter);
  NoDataPanel->setObjectName(QStringLiteral("NoDataPanel"));
  RecordArea = buildRecordArea();
  layout->addWidget(NoDataPanel, 1);
  layout->addWidget(RecordArea, 1);
  layout->addWidget(buildButtonRow());
  setCentralWidget(central);
  FilterStatus = new QLabel(this);
  SortStatus = new QLabel(this);
  statusBar()->addWidget(FilterStatus, 1);
  statusBar()->addWidget(SortStatus, 1);
  FilterStatus->clear();
  SortStatus->clear();
  NoDataPanel->setVisible(true);
  RecordArea->setVisible(false);
  resize(760, 560);
  setWindowTitle(QStringLiteral("Quillvane"));
}

TAddressMain::~TAddressMain() = default;

void TAddressMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FormActivate();
}

void TAddressMain::FormActivate() {
  if (!firstActivation_) return;
  firstActivation_ = false;
  const int dpi = screenDpi(this);
  QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
  QRect g = geometry();
  data::Rect current{g.left(), g.top(), g.right() + 1, g.bottom() + 1};
  data::Rect centred = data::centreDialog(current, current, false, true, screen.width(), screen.height());
  data::Placement p = data::restorePlacement(settings_, "TAddressMain", dpi, screen.width(), screen.height(),
                                             isMaximized(), centred);
  setGeometry(p.rect.left, p.rect.top, p.rect.width(), p.rect.height());
  if (p.maximized) showMaximized();
  data::savePlacement(settings_, "TAddressMain", dpi, p.rect, p.maximized);

  setWindowTitle(QStringLiteral("Quillvane"));
  recordEventsOn_ = true;
  filter_.userFilter.clear();
  LoadPreferences();
  env_.deleted = true;

  std::vector<std::string> recent = data::readRecentFiles(settings_);
  if (!recent.empty()) {
    OpenQVWDBF(fromFile(recent.front()));
  } else {
    const std::string dflt = platform::pathNoCase(platform::dataFolder(), "add0001.DBF");
    if (xbase::fileExists(dflt) ||
        data::createAddressFile(dflt, data::readFieldWidths(settings_)))
      OpenQVWDBF(fromFile(dflt));
  }
  if (table_->active()) ApplyFilter();
  rebuildRecentMenu();
  SetButtons();
  if (!print::printerInstalled())
    platform::prompts().info("There are no installed printers.\r\nUnable to perform printer related operations");
  // The getting-started window opens once the activation has finished.
  if (!prefs_.gettingStartedOff) QMetaObject::invokeMethod(this, &TAddressMain::GettingStartedClick, Qt::QueuedConnection);
}

void TAddressMain::GettingStartedClick() {
  TGettingStarted window(settings_, this);
  platform::runModal(window);
}

void TAddressMain::LoadPreferences() {
  prefs_ = data::loadPreferences(settings_);
  table_->setTagIdentifier(prefs_.tagIdentifier);
}

bool TAddressMain::OpenQVWDBF(const QString& path) {
  if (path.isEmpty()) return false;
  table_->disableControls();
  countKey_ = {};
  if (table_->active()) table_->cursor().setQuery("");
  bool valid = false;
  const std::string file = path.toLocal8Bit().toStdString();
  bool opened = data::openAddressFile(*table_, file, valid);
  indexValid_ = valid;
  if (opened && !valid) {
    bool rebuild = platform::prompts().ask("Warning", "The index file for " + file + "\r\nis missing or invalid. Rebuild now?", false);
    if (rebuild) {
      TQVReindex reindex(*table_, this);
      platform::runModal(reindex);
      indexValid_ = data::checkValidIndex(table_->table());
    }
    if (!indexValid_) table_->close();
  }
  OnOpenQVWFile(table_->active());
  table_->enableControls();
  QApplication::processEvents();
  if (opened) {
    putOnTopOfRecent(path);
    currentFile_ = path;
  } else {
    currentFile_.clear();
  }
  setWindowTitle(QStringLiteral("Quillvane - ") + path);
  memoFound_ = false;
  FindNextButton->setVisible(false);
  return opened;
}

void TAddressMain::OnOpenQVWFile(bool open) {
  NoDataPanel->setVisible(!open);
  RecordArea->setVisible(open);
  if (!open) {
    table_->close();
    currentOrder_.clear();
    return;
  }
  SetOrderTo(QStringLiteral("Last Name"));
  ApplyFilter();
  table_->first();
}

uint32_t TAddressMain::ApplyFilter() {
  if (!table_->active()) return 0;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  uint32_t n = data::applyFilter(filter_, table_->cursor(), prefs_.tagIdentifier);
  if (!filter_.userFilter.empty()) {  // the count just made is the status line's
    countKey_ = {table_->table().changeCount(), table_->cursor().query() + "|" + table_->path()};
    viewCount_ = n;
  }
  QApplication::restoreOverrideCursor();
  return n;
}

void TAddressMain::putOnTopOfRecent(const QString& path) {
  std::vector<std::string> list{path.toLocal8Bit().toStdString()};
  for (const std::string& p : data::readRecentFiles(settings_))
    if (list.size() < 4 && p != list.front()) list.push_back(p);
  data::writeRecentFiles(settings_, list);
  rebuildRecentMenu();
}

void TAddressMain::rebuildRecentMenu() {
  for (QAction* a : recentEntries) {
    FileMenu->removeAction(a);
    a->deleteLater();
  }
  recentEntries.clear();
  for (const std::string& p : data::readRecentFiles(settings_)) {
    QString path = fromFile(p);
    QAction* a = FileMenu->addAction(path);
    connect(a, &QAction::triggered, this, [this, path] { openRecent(path); });
    recentEntries.push_back(a);
  }
}

void TAddressMain::openRecent(const QString& path) {
  QString previous = table_->active() ? currentFile_ : QString();
  OpenQVWDBF(path);
  if (!table_->active() && !previous.isEmpty()) OpenQVWDBF(previous);
  SetButtons();
}

void TAddressMain::mnuOpenClick() {
  QFileDialog dialog(this, QStringLiteral("Open Address DataBase"), QString::fromStdString(platform::dataFolder()),
                     QStringLiteral("DBF Files (*.dbf *.DBF)"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QStringLiteral("DBF"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (platform::runModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    QString file = dialog.selectedFiles().first();
    if (!file.toUpper().endsWith(QStringLiteral(".DBF"))) platform::prompts().info("Must be a DBF file");
    else OpenQVWDBF(file);
  }
  SetButtons();
}

QString TAddressMain::GetDatabasePath() const {
  return table_->active() ? QString::fromStdString(data::databasePath(*table_)) : QString();
}

void TAddressMain::SetButtons() {
  const bool A = table_->active();
  const bool E = A && (table_->state() == data::DataSet::State::Edit || table_->state() == data::DataSet::State::Insert);
  const bool R = A && table_->recno() != 0;
  const bool N = A && !E && R;
  const bool filtered = !filter_.userFilter.empty();
  editing_ = E;
  auto enable = [this](const QString& caption, bool on) {
    if (auto it = actions.find(caption); it != actions.end()) it->second->setEnabled(on);
  };
  EditMenu->setEnabled(A);
  for (const char* c : {"Rebuild Indexes for this file", "Import from ASCII File", "Import from DBF File"}) enable(c, A);
  for (QWidget* w : std::initializer_list<QWidget*>{SearchButton, BrowseButton, EditButton, DeleteButton, FirstButton,
                                                    PrevButton, NextButton, LastButton, LabelsButton, LettersButton,
                                                    EnvelopesButton, ReportsButton})
    w->setEnabled(N);
  for (const char* c : {"Search", "Browse", "Edit", "Delete", "Export ", "Create a Duplicate Record (Clone)"})
    enable(c, N);
  SortMenu->setEnabled(N);
  PrintMenu->setEnabled(N);
  UtilitiesMenu->setEnabled(N);
  AddButton->setEnabled(A && !E);
  enable("Add", A && !E);
  for (QWidget* w : {static_cast<QWidget*>(DialButton1), static_cast<QWidget*>(DialButton2),
                     static_cast<QWidget*>(SearchMemoButton)})
    w->setVisible(N);
  if (E) FindNextButton->setVisible(false);
  SaveButton->setVisible(E);
  SaveButton->setEnabled(E);
  CancelButton->setVisible(E);
  CancelButton->setEnabled(E);
  for (QWidget* w : {AddButton, EditButton, DeleteButton, ExitButton}) w->setVisible(!E);
  ClearFilterButton->setVisible(filtered);
  ClearFilterButton->setEnabled(filtered && !E);
  for (const char* c : {"Save Filter", "Clear Filter", "Tag All Filter Matches"}) enable(c, filtered);
  FilterButton->setEnabled(filtered || N);
  enable("Set Filter", filtered || N);
  RecordMenu->setEnabled(A && !E);
  FileMenu->setEnabled(!E);
  mnuExit->setEnabled(!E);
  if (E) {
    QWidget* focus = QApplication::focusWidget();
    bool inRecord = focus == MemoEdit;
    for (auto& [name, edit] : edits) inRecord |= focus == edit;
    if (!inRecord) edits["LNAME"]->setFocus();
  }
  for (auto& [name, edit] : edits) edit->refresh();
  MemoEdit->setReadOnly(!A);
  UpdateFilterStatus();
}

void TAddressMain::UpdateFilterStatus() {
  if (!table_->active()) {
    FilterStatus->setVisible(false);
    return;
  }
  FilterStatus->setVisible(true);
  // Counting is a pass over the file: done again only when the records or the query changed.
  const auto key = std::make_pair(table_->table().changeCount(), table_->cursor().query() + "|" + table_->path());
  if (key != countKey_) {
    countKey_ = key;
    viewCount_ = table_->cursor().count();
  }
  uint32_t n = viewCount_;
  if (!filter_.userFilter.empty()) FilterStatus->setText(QString::number(n) + QStringLiteral(" filter matches"));
  else if (n > 0) FilterStatus->setText(QString::number(n) + QStringLiteral(" records (no filter)"));
  else FilterStatus->setText(QStringLiteral("No records"));
}

void TAddressMain::refreshRecord() {
  for (auto& [name, edit] : edits) edit->refresh();
  Tagged->setChecked(table_->active() && table_->text("Tagged") == "Yes");
}

void TAddressMain::refreshMemo() {
  memoLoading_ = true;
  MemoEdit->setPlainText(table_->active() ? fieldText(*table_, QStringLiteral("MEMO")) : QString());
  memoLoading_ = false;
}

void TAddressMain::mnuNewClick() {
  TNewDataBaseName dialog(QString::fromStdString(data::defaultNewFileName(platform::dataFolder())), settings_, this);
  if (platform::runModal(dialog) == QDialog::Accepted) {
    const std::string path = platform::dataFolder() + dialog.name().toStdString() + ".DBF";
    if (xbase::fileExists(platform::pathNoCase(platform::dataFolder(), dialog.name().toStdString() + ".DBF"))) {
      platform::prompts().info("That file already exists.Please select another name");
    } else if (data::createAddressFile(path, dialog.widths())) {
      table_->close();
      OpenQVWDBF(QString::fromStdString(path));
    }
  }
  SetButtons();
}

void TAddressMain::mnuRebuildIndexesClick() {
  if (!table_->active()) {
    platform::prompts().info("You need to have a database file open first");
    return;
  }
  {
    HandOver frame(*this, HandOver::SuspendControls);  // only the controls, for this command
    frame.after = [this] {
      indexValid_ = data::checkValidIndex(table_->table());
      SetCurrentOrder(currentOrder_);
      ApplyFilter();
      table_->first();
    };
    table_->cursor().setOrder(0);
    TQVReindex reindex(*table_, this);
    platform::runModal(reindex);
  }
  SetButtons();
}

void TAddressMain::mnuPreferencesClick() {
  TPreferences dialog(settings_, this);
  platform::runModal(dialog);
  LoadPreferences();
}

void TAddressMain::SetExtraFields(bool visible) { table_->setExtraFields(visible); }

void TAddressMain::ExitClick() { close(); }

void TAddressMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // FormResize: a normal window reaching past the screen's right or bottom edge moves to 0 there.
  if (isMaximized() || isMinimized() || !screen()) return;
  QRect g = geometry(), s = screen()->availableGeometry();
  if (g.right() > s.right() && g.left() > 0) g.moveLeft(0);
  if (g.bottom() > s.bottom() && g.top() > 0) g.moveTop(0);
  if (g != geometry()) setGeometry(g);
}

void TAddressMain::closeEvent(QCloseEvent* event) {
  // FormCloseQuery: an edit in progress is cancelled without asking.
  if (table_->active()) {
    QApplication::processEvents();
    table_->cancel();
    table_->close();
    QApplication::processEvents();
  }
  QRect g = normalGeometry();
  data::savePlacement(settings_, "TAddressMain", screenDpi(this), data::Rect{g.left(), g.top(), g.right() + 1, g.bottom() + 1},
                      isMaximized());
  event->accept();
}

}  // namespace app
