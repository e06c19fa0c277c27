#include "app/importdialog.h"

#include "platform/codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

// A cell as the preview shows it: on one line.
QString shown(const Text& bytes) {
  QString s = platform::fromAnsi(bytes);
  s.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return s;
}

}  // namespace

StaffImportDialog::StaffImportDialog(const Sheet& sheet, const Text& ansiPath, std::vector<Text> winners,
                                     QWidget* parent)
    : QDialog(parent), sheet_(sheet), winners_(std::move(winners)) {
  setWindowTitle(u("导入名单"));
  auto* layout = new QVBoxLayout(this);

  auto* file = new QLabel(u("文件：") + platform::fromAnsi(ansiPath), this);
  file->setTextFormat(Qt::PlainText);
  file->setWordWrap(true);
  layout->addWidget(file);

  preview_ = new QTableWidget(this);
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  preview_->setSelectionMode(QAbstractItemView::NoSelection);
  preview_->setMinimumSize(560, 220);
  preview_->horizontalHeader()->setStretchLastSection(true);
  preview_->verticalHeader()->setDefaultSectionSize(preview_->fontMetrics().height() + 8);
  layout->addWidget(preview_);

  headerBox_ = new QCheckBox(u("第一行是标题"), this);
  layout->addWidget(headerBox_);

  layout->addWidget(new QLabel(u("姓名取自（可选几列，按列的顺序连起来）："), this));
  nameList_ = new QListWidget(this);
  nameList_->setFlow(QListView::LeftToRight);
  nameList_->setWrapping(true);
  nameList_->setMaximumHeight(64);
  layout->addWidget(nameList_);

  auto* bracketRow = new QHBoxLayout;
  bracketRow->addWidget(new QLabel(u("重名时在括号里加上："), this));
  bracketBox_ = new QComboBox(this);
  bracketRow->addWidget(bracketBox_, 1);
  layout->addLayout(bracketRow);

  summary_ = new QLabel(this);
  summary_->setTextFormat(Qt::PlainText);
  summary_->setWordWrap(true);
  layout->addWidget(summary_);

  buttons_ = new QDialogButtonBox(this);
  importButton_ = buttons_->addButton(u("导入"), QDialogButtonBox::AcceptRole);
  buttons_->addButton(u("取消"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

  const StaffColumns first = DefaultColumns(sheet_);
  headerBox_->setChecked(first.headerRow);
  fillColumns();
  for (int c : first.nameColumns)
    if (auto* item = nameList_->item(c)) item->setCheckState(Qt::Checked);
  fillPreview();
  update();

  connect(headerBox_, &QCheckBox::toggled, this, [this] {
    fillColumns();
    fillPreview();
    update();
  });
  connect(nameList_, &QListWidget::itemChanged, this, [this] { update(); });
  connect(bracketBox_, &QComboBox::currentIndexChanged, this, [this] { update(); });
}

QString StaffImportDialog::columnTitle(int column) const {
  QString title = QString::fromLatin1(ColumnLetters(column).c_str());
  if (headerBox_->isChecked() && !sheet_.rows.empty()) {
    const QString heading = shown(sheet_.cell(0, column).text).trimmed();
    if (!heading.isEmpty()) title += u(" ") + heading;
  }
  return title;
}

// The column lists keep what was chosen; their titles follow the heading row.
void StaffImportDialog::fillColumns() {
  const int count = sheet_.columnCount();
  const QSignalBlocker keepList(nameList_);
  const QSignalBlocker keepBox(bracketBox_);
  for (int c = 0; c < count; ++c) {
    if (c >= nameList_->count()) {
      auto* item = new QListWidgetItem(nameList_);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Unchecked);
    }
    nameList_->item(c)->setText(columnTitle(c));
  }
  const int bracket = bracketBox_->currentIndex();
  bracketBox_->clear();
  bracketBox_->addItem(u("（不加）"));
  for (int c = 0; c < count; ++c) bracketBox_->addItem(columnTitle(c));
  bracketBox_->setCurrentIndex(bracket < 0 ? 0 : bracket);
}

void StaffImportDialog::fillPreview() {
  const int columns = sheet_.columnCount();
  const int first = headerBox_->isChecked() ? 1 : 0;
  const int rows = std::min<int>(kPreviewRows, std::max<int>(0, int(sheet_.rows.size()) - first));
  preview_->clear();
  preview_->setColumnCount(columns);
  preview_->setRowCount(rows);
  QStringList titles, numbers;
  for (int c = 0; c < columns; ++c) titles << columnTitle(c);
  preview_->setHorizontalHeaderLabels(titles);
  for (int r = 0; r < rows; ++r) {
    numbers << QString::number(first + r + 1);  // the row as the sheet numbers it
    for (int c = 0; c < columns; ++c)
      preview_->setItem(r, c, new QTableWidgetItem(shown(sheet_.cell(first + r, c).text)));
  }
  preview_->setVerticalHeaderLabels(numbers);
  preview_->resizeColumnsToContents();
}

StaffColumns StaffImportDialog::columns() const {
  StaffColumns c;
  c.headerRow = headerBox_->isChecked();
  for (int i = 0; i < nameList_->count(); ++i)
    if (nameList_->item(i)->checkState() == Qt::Checked) c.nameColumns.push_back(i);
  c.bracketColumn = bracketBox_->currentIndex() - 1;
  return c;
}

Text StaffImportDialog::bracketHeading() const {
  const int c = bracketBox_->currentIndex() - 1;
  return c < 0 ? Text() : platform::toAnsi(columnTitle(c));
}

void StaffImportDialog::update() {
  const StaffColumns c = columns();
  if (c.nameColumns.empty()) {
    summary_->setText(u("请选择姓名所在的列。"));
    importButton_->setEnabled(false);
    return;
  }
  const StaffList list = BuildStaffList(sheet_, c, winners_);
  QString text = u("将导入 %1 人").arg(list.names.size());
  if (!list.report.blankRows.empty()) text += u("，跳过空行 %1 个").arg(list.report.blankRows.size());
  if (!list.report.duplicates.empty()) text += u("，重名 %1 个").arg(list.report.duplicates.size());
  if (!list.report.formerWinners.empty())
    text += u("，已中奖的 %1 人不再加入").arg(list.report.formerWinners.size());
  text += u("。");
  if (!list.names.empty()) {
    QStringList examples;
    for (size_t i = 0; i < list.names.size() && i < 6; ++i) examples << platform::fromAnsi(list.names[i]);
    text += u("\n例如：") + examples.join(u("、")) + (list.names.size() > 6 ? u("……") : QString());
  }
  summary_->setText(text);
  importButton_->setEnabled(!list.names.empty());
}
