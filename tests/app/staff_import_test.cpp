// The staff-list import as the operator uses it: the file from the pool's menu or dropped
// on the window, the columns chosen in the dialog, one report, the candidate list file
// written with the old one kept, the pool loaded from it; not while a draw runs.
#include "app/importdialog.h"
#include "app/staffimport.h"
#include "helpers.h"

#include "data/texts.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>

#include <functional>

using namespace apptest;

namespace {

QString fixture(const char* name) {
  return QString::fromUtf8(LUCKYDRAW_SOURCE_DIR) + QStringLiteral("/tests/fixtures/staff/") + QString::fromUtf8(name);
}

std::vector<std::string> utf8(const std::vector<Text>& names) {
  std::vector<std::string> out;
  for (const Text& n : names) out.push_back(platform::utf8FromAnsi(n));
  return out;
}

class StaffImportGui : public StartedWindow {
 protected:
  void SetUp() override { startOn({"甲", "乙", "丙"}); }

  // Runs `act` on the next modal dialog of type D once it is on screen.
  template <class D>
  void onNextDialog(std::function<void(D&)> act) {
    QTimer::singleShot(0, qApp, [this, act = std::move(act)] {
      auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
      if (!dialog) {
        ADD_FAILURE() << "no dialog of the kind expected is open";
        if (QApplication::activeModalWidget()) QApplication::activeModalWidget()->close();
        return;
      }
      act(*dialog);
    });
  }

  // The import dialog is answered by `choose`; the report's text is kept.
  void importWith(const QString& path, std::function<void(StaffImportDialog&)> choose) {
    onNextDialog<StaffImportDialog>([this, choose = std::move(choose)](StaffImportDialog& d) {
      choose(d);
      if (d.isVisible()) {
        onNextDialog<QMessageBox>([this](QMessageBox& box) {
          report_ = box.text();
          box.button(QMessageBox::Ok)->click();
        });
        importButton(d)->click();
      }
    });
    form().staffImport().importFile(path);
  }
  static QPushButton* importButton(StaffImportDialog& d) { return d.importButton(); }
  static void chooseBracket(StaffImportDialog& d, int column) { d.bracketBox()->setCurrentIndex(column + 1); }

  QString report_;
};

TEST_F(StaffImportGui, WorkbookWithDepartmentsForDuplicates) {
  QString summary;
  importWith(fixture("staff-libreoffice.xlsx"), [&](StaffImportDialog& d) {
    // The heading 姓名 is chosen at first; the first rows show, numbered as in the sheet.
    EXPECT_TRUE(d.headerBox()->isChecked());
    ASSERT_EQ(d.nameList()->count(), 3);
    EXPECT_EQ(d.nameList()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(d.nameList()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(d.nameList()->item(1)->text(), U("B 姓名"));
    EXPECT_EQ(d.preview()->rowCount(), StaffImportDialog::kPreviewRows);
    EXPECT_EQ(d.preview()->item(0, 0)->text(), U("1001"));
    EXPECT_EQ(d.preview()->item(4, 1)->text(), U("刘䶮"));
    EXPECT_EQ(d.preview()->verticalHeaderItem(0)->text(), U("2"));
    chooseBracket(d, 2);
    summary = d.summary()->text();
    if (qEnvironmentVariableIsSet("LUCKYDRAW_SCREENSHOTS"))
      d.grab().save(qEnvironmentVariable("LUCKYDRAW_SCREENSHOTS") + QStringLiteral("/import-dialog.png"));
  });
  EXPECT_TRUE(summary.startsWith(U("将导入 7 人，跳过空行 1 个，重名 2 个。\n例如：张伟（技术部）、"))) << summary.toStdString();
  EXPECT_EQ(utf8(poolNames(form())), (std::vector<std::string>{"张伟（技术部）", "李娜（销售部）", "张伟（人事部）",
                                                              "刘䶮", "𠮷田", "李娜（销售部）", "王小明"}));
  EXPECT_EQ(form().Label13->text(), U("抽奖名单[7]人"));
  EXPECT_EQ(DrawFolder::read("抽奖名单/抽奖名单.txt"),
            testkit::crlf({"张伟（技术部）", "李娜（销售部）", "张伟（人事部）", "刘䶮", "𠮷田", "李娜（销售部）", "王小明"}));
  // The previous list is kept beside it, byte for byte.
  EXPECT_EQ(DrawFolder::read("抽奖名单/抽奖名单-20261210-201500.txt"), testkit::crlf({"甲", "乙", "丙"}));
  for (const char* part : {"Imported 7 name", "Rows read: 8.", "Blank rows skipped: 1 (rows 4).",
                           "张伟: rows 2, 5, told apart by C 部门", "李娜: rows 3, 8, still alike with C 部门",
                           "抽奖名单-20261210-201500.txt"})
    EXPECT_TRUE(report_.contains(U(part))) << part << "\nin:\n" << report_.toStdString();
  EXPECT_TRUE(rig_.dialogs.errors.empty());
}

TEST_F(StaffImportGui, AfterDrawsFormerWinnersStayOut) {
  form().session().winners[0] = A("刘䶮，王小明");
  importWith(fixture("staff-openpyxl.xlsx"), [](StaffImportDialog& d) {
    EXPECT_TRUE(d.summary()->text().contains(U("已中奖的 2 人不再加入"))) << d.summary()->text().toStdString();
  });
  EXPECT_EQ(utf8(poolNames(form())), (std::vector<std::string>{"张伟", "李娜", "张伟", "𠮷田", "李娜"}));
  EXPECT_TRUE(report_.contains(U("already recorded as winners: 2 (刘䶮, 王小明)"))) << report_.toStdString();
}

TEST_F(StaffImportGui, NameFromTwoColumnsOfACsvWithoutHeadings) {
  ASSERT_TRUE(testkit::writeBytes("hr.csv", "\xEF\xBB\xBF" + std::string("1001,王,小明\r\n1002,\"欧阳\",\"娜\"\r\n")));
  importWith(QStringLiteral("hr.csv"), [](StaffImportDialog& d) {
    EXPECT_FALSE(d.headerBox()->isChecked());
    EXPECT_EQ(d.nameList()->item(0)->checkState(), Qt::Checked);  // no 姓名: the first column
    d.nameList()->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(importButton(d)->isEnabled()) << "no column chosen, nothing to import";
    d.nameList()->item(1)->setCheckState(Qt::Checked);
    d.nameList()->item(2)->setCheckState(Qt::Checked);
    EXPECT_TRUE(importButton(d)->isEnabled());
  });
  EXPECT_EQ(utf8(poolNames(form())), (std::vector<std::string>{"王小明", "欧阳娜"}));
}

TEST_F(StaffImportGui, CancelChangesNothing) {
  onNextDialog<StaffImportDialog>([](StaffImportDialog& d) { d.reject(); });
  form().staffImport().importFile(fixture("staff-openpyxl.xlsx"));
  EXPECT_EQ(utf8(poolNames(form())), (std::vector<std::string>{"甲", "乙", "丙"}));
  EXPECT_EQ(DrawFolder::read("抽奖名单/抽奖名单.txt"), testkit::crlf({"甲", "乙", "丙"}));
  EXPECT_EQ(QDir(QStringLiteral("抽奖名单")).entryList({QStringLiteral("抽奖名单-*")}).size(), 0);
}

TEST_F(StaffImportGui, NoWorkbookIsReportedAndChangesNothing) {
  form().staffImport().importFile(fixture("not-a-workbook.xlsx"));
  ASSERT_EQ(rig_.dialogs.errors.size(), 1u);
  EXPECT_NE(platform::utf8FromAnsi(rig_.dialogs.errors[0].text).find("not a zip archive"), std::string::npos);
  EXPECT_EQ(utf8(poolNames(form())), (std::vector<std::string>{"甲", "乙", "丙"}));
}

TEST_F(StaffImportGui, NotWhileADrawRuns) {
  form().Button1->click();  // Start
  ASSERT_EQ(form().buttonCaption(), T().stop);
  form().PopupMenu1->popup(form().ListBox1->mapToGlobal(QPoint(5, 5)));
  EXPECT_FALSE(form().staffImport().action()->isEnabled());
  form().PopupMenu1->close();
  form().staffImport().importFile(fixture("staff-openpyxl.xlsx"));
  ASSERT_EQ(rig_.dialogs.errors.size(), 1u);
  EXPECT_NE(platform::utf8FromAnsi(rig_.dialogs.errors[0].text).find("A draw is running"), std::string::npos);
  EXPECT_EQ(DrawFolder::read("抽奖名单/抽奖名单.txt"), testkit::crlf({"甲", "乙", "丙"}));
  form().FlatButton1->click();  // Cancel
  form().PopupMenu1->popup(form().ListBox1->mapToGlobal(QPoint(5, 5)));
  EXPECT_TRUE(form().staffImport().action()->isEnabled());
  form().PopupMenu1->close();
}

TEST_F(StaffImportGui, AFileDroppedOnTheWindowOpensTheImport) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(fixture("staff-openpyxl.xlsx"))});
  const QPoint at = form().rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  bool opened = false;
  onNextDialog<StaffImportDialog>([&](StaffImportDialog& d) {
    opened = true;
    d.reject();
  });
  // The import starts once the drop has ended.
  EXPECT_TRUE(QTest::qWaitFor([&] { return opened; }, 5000));
}

}  // namespace
