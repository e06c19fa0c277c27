#pragma once
// The dialog of the staff-list import: the file's first rows and its columns, the
// column(s) that make the name, the column added in brackets to names that occur more
// than once, and what the import will give, updated as the operator chooses.
#include "data/stafflist.h"
#include "platform/text.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

class StaffImportDialog : public QDialog {
  Q_OBJECT

 public:
  // `winners`: the names recorded as winners, which the import leaves out.
  StaffImportDialog(const Sheet& sheet, const Text& ansiPath, std::vector<Text> winners,
                    QWidget* parent = nullptr);

  StaffColumns columns() const;
  // The heading of the bracket column as the report names it, empty for none.
  Text bracketHeading() const;

  // The controls, for the tests.
  QCheckBox* headerBox() const { return headerBox_; }
  QListWidget* nameList() const { return nameList_; }
  QComboBox* bracketBox() const { return bracketBox_; }
  QTableWidget* preview() const { return preview_; }
  QLabel* summary() const { return summary_; }
  QPushButton* importButton() const { return importButton_; }  // 导入

  // How many rows the preview shows.
  static constexpr int kPreviewRows = 8;

 private:
  QString columnTitle(int column) const;
  void fillColumns();
  void fillPreview();
  void update();

  const Sheet& sheet_;
  std::vector<Text> winners_;
  QCheckBox* headerBox_ = nullptr;
  QListWidget* nameList_ = nullptr;
  QComboBox* bracketBox_ = nullptr;
  QTableWidget* preview_ = nullptr;
  QLabel* summary_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  QPushButton* importButton_ = nullptr;
};
