#include "record_tools.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLocale>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/prompts.h"
#include "xbase/error.h"

namespace app {

namespace {

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
  auto* layout = new QHBoxLayout;
  for (QWidget* w : widgets) layout->addWidget(w);
  return layout;
}

char upperAZ(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

}  // namespace

TSearchBox::TSearchBox(const QStringList& orders, const QString& current, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TSearchBox"));
  setWindowTitle(QStringLiteral("Search"));
  SearchOrder = new QComboBox(this);
  SearchOrder->addItems(orders);
  SearchOrder->setCurrentText(current);
  Prompt = new QLabel(this);
  SearchText = new QLineEdit(this);
  OkButton = new QPushButton(QStringLiteral("Ok"), this);
  HelpButton = new QPushButton(QStringLiteral("Help"), this);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  OkButton->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Search &Order"), this));
  layout->addWidget(SearchOrder);
  layout->addWidget(Prompt);
  layout->addWidget(SearchText);
  layout->addLayout(row({OkButton, HelpButton, CancelButton}));
  connect(SearchOrder, &QComboBox::currentIndexChanged, this, &TSearchBox::SearchOrderChange);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  SearchOrderChange();
}

void TSearchBox::SearchOrderChange() {
  Prompt->setText(QStringLiteral("Search ") + SearchOrder->currentText() + QStringLiteral(" starting with..."));
  SearchText->setFocus();
}

void TSearchBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  SearchOrderChange();
}

bool memoContains(const std::string& memo, const std::string& upperText) {
  if (memo.empty() || upperText.empty()) return false;
  const std::size_t n = std::min<std::size_t>(memo.size(), 32767);
  const std::size_t m = upperText.size();
  if (m > n) return false;
  const char first = upperText[0];
  for (std::size_t i = 0; i + m <= n; ++i) {
    if (upperAZ(memo[i]) != first) continue;
    std::size_t k = 1;
    while (k < m && upperAZ(memo[i + k]) == upperText[k]) ++k;
    if (k == m) return true;
  }
  return false;
}

TQVWSearching::TQVWSearching(data::DataSet& dataSet, const std::string& text, bool fromStart, QWidget* parent)
    : QDialog(parent), dataSet_(dataSet), fromStart_(fromStart) {
  setObjectName(QStringLiteral("TQVWSearching"));
  setWindowTitle(QStringLiteral("Searching"));
  for (char c : text) text_.push_back(upperAZ(c));
  SearchingLabel = new QLabel(QStringLiteral("Searching for: ") + QString::fromLocal8Bit(text.c_str()), this);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SearchingLabel);
  layout->addWidget(CancelButton, 0, Qt::AlignHCenter);
  connect(CancelButton, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

void TQVWSearching::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!started_) {
    started_ = true;
    QTimer::singleShot(0, this, &TQVWSearching::run);
  }
}

void TQVWSearching::run() {
  dataSet_.disableControls();
  const uint32_t start = dataSet_.recno();
  xbase::Cursor& cursor = dataSet_.cursor();
  xbase::Table& table = dataSet_.table();
  const int memo = table.fieldIndex("MEMO");
  bool more = fromStart_ ? cursor.first() : cursor.next();
  QElapsedTimer sinceEvents;
  sinceEvents.start();
  while (more && !cancelled_ && memo >= 0) {
    ++examined_;
    std::string text;
    try {
      text = table.memoText(cursor.rawRecord(), table.field(memo));
    } catch (const xbase::Error&) {
      text.clear();  // a damaged memo holds nothing to find
    }
    if (memoContains(text, text_)) {
      found_ = true;
      break;
    }
    // Window messages run as the search goes, often enough for "Cancel" to answer at once.
    if (sinceEvents.elapsed() >= 15) {
      QCoreApplication::processEvents();
      sinceEvents.restart();
    }
    more = cursor.next();
  }
  if (found_) {
    dataSet_.go(cursor.recno());
  } else {
    if (start) dataSet_.go(start);
    platform::prompts().beep();
  }
  dataSet_.enableControls();
  accept();
}

TDateSelector::TDateSelector(const QDate& initial, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TDateSelector"));
  setWindowTitle(QStringLiteral("Select a Date"));
  LongDate = new QLabel(this);
  LongDate->setAlignment(Qt::AlignCenter);
  Calendar = new QCalendarWidget(this);
  Calendar->setNavigationBarVisible(false);
  auto button = [this](const char* text, const char* hint) {
    auto* b = new QPushButton(QString::fromLatin1(text), this);
    if (hint) b->setToolTip(QString::fromLatin1(hint));
    b->setAutoDefault(false);
    return b;
  };
  YearBack = button("Year-", "Show the previous year");
  MonthBack = button("Month-", "Show the previous month");
  TodayButton = button("Today", "Show today's date");
  MonthForward = button("Month +", "Show the next month");
  YearForward = button("Year+", "Show the next year");
  OkButton = button("Ok", nullptr);
  CancelButton = button("Cancel", nullptr);
  NoDateButton = button("No Date", nullptr);
  HelpButton = button("Help", nullptr);
  OkButton->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LongDate);
  layout->addWidget(Calendar);
  layout->addLayout(row({YearBack, MonthBack, TodayButton, MonthForward, YearForward}));
  layout->addLayout(row({OkButton, CancelButton, NoDateButton, HelpButton}));
  connect(Calendar, &QCalendarWidget::selectionChanged, this, [this] { showDate(Calendar->selectedDate()); });
  connect(YearBack, &QPushButton::clicked, this, [this] { showDate(date().addYears(-1)); });
  connect(MonthBack, &QPushButton::clicked, this, [this] { showDate(date().addMonths(-1)); });
  connect(TodayButton, &QPushButton::clicked, this, [this] { showDate(QDate::currentDate()); });
  connect(MonthForward, &QPushButton::clicked, this, [this] { showDate(date().addMonths(1)); });
  connect(YearForward, &QPushButton::clicked, this, [this] { showDate(date().addYears(1)); });
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(NoDateButton, &QPushButton::clicked, this, [this] { done(NoDate); });
  showDate(initial);
}

void TDateSelector::showDate(const QDate& d) {
  if (Calendar->selectedDate() != d) Calendar->setSelectedDate(d);
  Calendar->setCurrentPage(d.year(), d.month());
  LongDate->setText(QLocale().toString(d, QLocale::LongFormat));
}

TCopyToClipBoard::TCopyToClipBoard(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TCopyToClipBoard"));
  setWindowTitle(QStringLiteral("Copy Record To Clipboard"));
  auto* layout = new QVBoxLayout(this);
  auto box = [&](const char* text) {
    auto* b = new QCheckBox(QString::fromLatin1(text), this);
    b->setChecked(true);
    layout->addWidget(b);
    return b;
  };
  NameBox = box("Name, Organization, Title");
  AddressBox = box("Address");
  PhoneBox = box("Phone Numbers");
  CodesBox = box("Codes");
  CommentsBox = box("Comments 1 && 2");
  auto* ok = new QPushButton(QStringLiteral("Ok"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setDefault(true);
  layout->addLayout(row({ok, cancel}));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace app
