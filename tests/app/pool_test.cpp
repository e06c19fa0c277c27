// The pool list: the operator's own selection, the pick's selection as the list shows it,
// the popup menu, and a pool of 100,000 names.
#include "helpers.h"

#include "app/poolmodel.h"
#include "app/poolview.h"
#include "data/errors.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>
#include <QSignalSpy>

#include <functional>

using namespace apptest;

namespace {

std::vector<Text> numberedNames(int n) {
  std::vector<Text> names;
  names.reserve(size_t(n));
  char buf[32];
  for (int i = 0; i < n; ++i) {
    std::snprintf(buf, sizeof buf, "%06d", i);
    names.push_back(buf);
  }
  return names;
}

// Counts the events of one type that reach a widget.
class EventCounter : public QObject {
 public:
  EventCounter(QObject* target, QEvent::Type type, int* count) : type_(type), count_(count) {
    target->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == type_) ++*count_;
    return false;
  }

 private:
  QEvent::Type type_;
  int* count_;
};

class Pool : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = rig_.makeForm();
    ASSERT_TRUE(showActive(*form_));
  }
  TForm1& form() { return *form_; }
  std::vector<int> selectedRows() const { return apptest::selectedRows(*form_); }
  void clickRow(int row, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
    clickPoolRow(*form_, row, button, mods);
  }
  void contextMenuAt(int row) {
    QWidget* viewport = form_->ListBox1->viewport();
    const QPoint at = poolRowCentre(*form_, row);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
  }
  // The colour the list shows in the middle of an entry's row, near its right end.
  QColor shownAt(int row) {
    const QRect r = form_->ListBox1->visualRect(form_->poolModel().index(row));
    const QImage shot = form_->ListBox1->viewport()->grab().toImage();
    return shot.pixelColor(r.right() - 3, r.center().y());
  }

  FormRig rig_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(Pool, ClickCtrlClickShiftClickSelectLikeAListBox) {
  form().poolAppendAll(numberedNames(10));
  clickRow(2);
  EXPECT_EQ(selectedRows(), (std::vector<int>{2}));
  clickRow(4, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(selectedRows(), (std::vector<int>{2, 4}));
  clickRow(6, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), (std::vector<int>{4, 5, 6}));
  clickRow(5, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(selectedRows(), (std::vector<int>{4, 6}));
  clickRow(0, Qt::RightButton);  // a right click selects nothing
  EXPECT_EQ(selectedRows(), (std::vector<int>{4, 6}));
}

TEST_F(Pool, ArrowKeysMoveTheSelection) {
  form().poolAppendAll(numberedNames(10));
  clickRow(3);
  QTest::keyClick(form().windowHandle(), Qt::Key_Down);
  EXPECT_EQ(selectedRows(), (std::vector<int>{4}));
  QTest::keyClick(form().windowHandle(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), (std::vector<int>{4, 5}));
}

TEST_F(Pool, ListShowsTheFlagsThatThePickSets) {
  form().poolAppendAll(numberedNames(20));
  const QColor white = shownAt(1);
  form().setPoolSelected(1, true);
  const QColor picked = shownAt(1);
  EXPECT_NE(picked, white);
  EXPECT_EQ(picked, form().ListBox1->palette().color(QPalette::Active, QPalette::Highlight));
  form().clearPoolSelection();
  EXPECT_EQ(shownAt(1), white);
}

// What the screen itself shows, not a fresh paint of the widget: an entry whose flag
// changed without a repaint would keep its old colour here.
TEST_F(Pool, APickRepaintsTheEntriesOnScreenAndNothingForTheOthers) {
  form().poolAppendAll(numberedNames(2000));
  QApplication::processEvents();
  QWidget* viewport = form().ListBox1->viewport();
  auto onScreen = [&](int row) {
    const QRect r = form().ListBox1->visualRect(form().poolModel().index(row));
    const QPoint at = viewport->mapTo(&form(), QPoint(r.right() - 3, r.center().y()));
    const QImage shot = form().windowHandle()->screen()->grabWindow(form().winId()).toImage();
    return shot.pixelColor(at * shot.devicePixelRatio());
  };
  int paints = 0;
  EventCounter counter(viewport, QEvent::Paint, &paints);
  const QColor highlight = form().ListBox1->palette().color(QPalette::Active, QPalette::Highlight);
  const QColor plain = onScreen(2);

  form().clearPoolSelection();
  form().setPoolSelected(2, true);
  QApplication::processEvents();
  EXPECT_EQ(onScreen(2), highlight);
  EXPECT_EQ(onScreen(3), plain);

  // The next picks lie out of sight: the entry on screen loses its colour, and once it has,
  // picks out of sight paint nothing.
  form().clearPoolSelection();
  form().setPoolSelected(1500, true);
  QApplication::processEvents();
  EXPECT_EQ(onScreen(2), plain);
  paints = 0;
  for (int row = 1600; row < 1610; ++row) {
    form().clearPoolSelection();
    form().setPoolSelected(row, true);
    QApplication::processEvents();
  }
  EXPECT_EQ(paints, 0);
}

// The list places its entries by row: right after a load or a deletion, without waiting
// for the event loop, any row can be scrolled to, clicked and reached with the keys.
TEST_F(Pool, AnyRowIsReachedRightAfterALoadAndAfterADeletion) {
  form().poolAppendAll(numberedNames(100000));
  PoolView* list = form().ListBox1;
  auto shownWhole = [&](int row) {
    const QRect r = list->visualRect(form().poolModel().index(row));
    return !r.isEmpty() && list->viewport()->rect().contains(r);
  };
  list->scrollTo(form().poolModel().index(99999));
  EXPECT_TRUE(shownWhole(99999));
  clickRow(99999);
  EXPECT_EQ(selectedRows(), (std::vector<int>{99999}));

  // Rows above go: the entries after them move up, and the list follows at once.
  form().poolDeleteRows({0, 1, 2, 50000});
  ASSERT_EQ(form().poolCount(), 99996);
  EXPECT_EQ(form().poolName(99995), "099999");
  list->scrollTo(form().poolModel().index(99995));
  EXPECT_TRUE(shownWhole(99995));
  EXPECT_EQ(list->indexAt(poolRowCentre(form(), 99995)).row(), 99995);
  EXPECT_FALSE(list->indexAt(poolRowCentre(form(), 99995) + QPoint(0, list->viewport()->height())).isValid());

  list->setFocus();
  QTest::keyClick(list, Qt::Key_Home);
  EXPECT_EQ(selectedRows(), (std::vector<int>{0}));
  EXPECT_TRUE(shownWhole(0));
  QTest::keyClick(list, Qt::Key_End);
  EXPECT_EQ(selectedRows(), (std::vector<int>{99995}));
  EXPECT_TRUE(shownWhole(99995));
  QTest::keyClick(list, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), (std::vector<int>{99994, 99995}));
  EXPECT_EQ(list->verticalScrollBar()->maximum(),
            99996 * list->visualRect(form().poolModel().index(0)).height() - list->viewport()->height());
}

TEST_F(Pool, PopupMenuDeletesWhatWasSelectedBeforeItOpened) {
  form().poolAppendAll({A("张三"), A("李四"), A("王五"), A("赵六")});
  clickRow(1);
  clickRow(3, Qt::LeftButton, Qt::ControlModifier);
  contextMenuAt(0);
  ASSERT_TRUE(form().PopupMenu1->isVisible());
  form().N2->trigger();  // 删除所选
  form().PopupMenu1->hide();
  ASSERT_EQ(form().poolCount(), 2);
  EXPECT_EQ(form().poolName(0), A("张三"));
  EXPECT_EQ(form().poolName(1), A("王五"));
  EXPECT_EQ(form().ListBox1->model()->rowCount(), 2);
}

TEST_F(Pool, PopupMenuAddsATrimmedName) {
  form().poolAppendAll({A("张三")});
  rig_.dialogs.inputReply = A("  李四\t ");
  form().N1->trigger();  // 临时添加名单
  ASSERT_EQ(rig_.dialogs.inputs.size(), 1u);
  EXPECT_EQ(rig_.dialogs.inputs[0].text, A("请输入加入名单的名字"));
  ASSERT_EQ(form().poolCount(), 2);
  EXPECT_EQ(form().poolName(1), A("李四"));
  EXPECT_EQ(form().ListBox1->model()->index(1, 0).data().toString(), U("李四"));
}

// Names are bytes: one that is not valid GBK stays as loaded, and markup shows as typed.
TEST_F(Pool, NamesKeepTheirBytes) {
  const Text odd = "\x81\x20\xFF";
  form().poolAppendAll({odd, "<b>x</b>"});
  EXPECT_EQ(form().poolName(0), odd);
  form().setHeadline("<b>x</b>");
  EXPECT_EQ(form().StaticText1->textFormat(), Qt::PlainText);
  EXPECT_EQ(form().headline(), "<b>x</b>");
}

// Out-of-range entries raise the list errors of the engine.
TEST_F(Pool, IndexOutsideThePoolRaisesTheListErrors) {
  form().poolAppendAll({A("张三")});
  EXPECT_THROW(form().poolName(1), EStringListError);
  EXPECT_THROW(form().poolSelected(-1), EListError);
  EXPECT_THROW(form().setPoolSelected(1, true), EListError);
}

struct DeleteRow {
  int count;
  std::vector<int> rows;
};

class DeleteSelected : public Pool, public ::testing::WithParamInterface<DeleteRow> {};

TEST_P(DeleteSelected, TheOthersKeepTheirOrder) {
  const DeleteRow& row = GetParam();
  const std::vector<Text> names = numberedNames(row.count);
  form().poolAppendAll(names);
  for (int r : row.rows) form().setPoolSelected(r, true);
  form().poolDeleteSelected();
  std::vector<Text> expected;
  for (int i = 0, next = 0; i < row.count; ++i) {
    if (next < int(row.rows.size()) && row.rows[size_t(next)] == i) {
      ++next;
      continue;
    }
    expected.push_back(names[size_t(i)]);
  }
  ASSERT_EQ(form().poolCount(), int(expected.size()));
  ASSERT_EQ(form().ListBox1->model()->rowCount(), int(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(form().poolName(int(i)), expected[i]) << i;
  EXPECT_EQ(form().poolSelectedCount(), 0);
}

std::vector<int> everyThird(int n) {
  std::vector<int> rows;
  for (int i = 0; i < n; i += 3) rows.push_back(i);
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Selections, DeleteSelected,
                         ::testing::Values(DeleteRow{10, {}}, DeleteRow{10, {0, 1, 2, 9}},
                                           DeleteRow{10, {3}}, DeleteRow{3000, everyThird(3000)}),
                         [](const auto& info) {
                           return "Of" + std::to_string(info.param.count) + "Delete" +
                                  std::to_string(info.param.rows.size());
                         });

// Clearing the selection touches only the flags that were switched on, yet every way a
// flag gets set is cleared by the next pick: single flags, a dragged range, flags that moved
// when rows before them were deleted, and more flags than are tracked one by one.
struct ClearCase {
  const char* name;
  std::function<void(PoolModel&)> before;  // selects something
};
void PrintTo(const ClearCase& c, std::ostream* os) { *os << c.name; }

class PoolClear : public ::testing::TestWithParam<ClearCase> {};

TEST_P(PoolClear, LeavesNothingSelected) {
  PoolModel model;
  model.appendAll(numberedNames(10000));
  GetParam().before(model);
  ASSERT_GT(model.selectedCount(), 0);
  model.clearSelection();
  EXPECT_EQ(model.selectedCount(), 0);
  for (int i = 0; i < model.count(); ++i) ASSERT_FALSE(model.selected(i)) << i;
  // Set again afterwards: the next clear finds them as well.
  model.setSelected(7, true);
  model.clearSelection();
  EXPECT_FALSE(model.selected(7));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PoolClear,
    ::testing::Values(
        ClearCase{"SingleFlags", [](PoolModel& m) { for (int r : {3, 9999, 3, 500}) m.setSelected(r, true); }},
        ClearCase{"DraggedRange", [](PoolModel& m) { m.setSelected(1, true); m.selectOnly(20, 4000); }},
        ClearCase{"SwitchedOffAndOn", [](PoolModel& m) { m.setSelected(5, true); m.setSelected(5, false); m.setSelected(6, true); }},
        ClearCase{"MovedByADeletion",
                  [](PoolModel& m) {
                    m.setSelected(100, true);
                    m.setSelected(200, true);
                    m.deleteRows({0, 1, 2});  // rows 100 and 200 are now 97 and 197
                    m.setSelected(300, true);
                  }},
        ClearCase{"MoreThanTracked", [](PoolModel& m) { for (int r = 0; r < 9000; r += 2) m.setSelected(r, true); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Stop deletes the selected rows, however they were set, and only them.
TEST(PoolDelete, SelectedRowsLeaveAfterMovesAndRanges) {
  PoolModel model;
  model.appendAll(numberedNames(100));
  model.setSelected(10, true);
  model.setSelected(50, true);
  model.deleteRows({0});  // rows 10 and 50 are now 9 and 49
  model.setSelected(60, true);  // "000061"
  model.deleteSelected();
  ASSERT_EQ(model.count(), 96);
  for (int i = 0; i < model.count(); ++i) {
    const Text n(model.name(i));
    EXPECT_TRUE(n != "000000" && n != "000010" && n != "000050" && n != "000061") << n;
  }
  EXPECT_EQ(model.selectedCount(), 0);
}

// 100,000 names: one insertion, and a pick of 999 on every tick changes flags without
// announcing a single row; the list shows the pick.
TEST_F(Pool, HundredThousandNamesAndPicksOf999) {
  QSignalSpy inserted(&form().poolModel(), &QAbstractItemModel::rowsInserted);
  form().poolAppendAll(numberedNames(100000));
  EXPECT_EQ(inserted.count(), 1);
  ASSERT_EQ(form().ListBox1->model()->rowCount(), 100000);

  form().setDrawSizeValue(999);
  QSignalSpy changed(&form().poolModel(), &QAbstractItemModel::dataChanged);
  QSignalSpy layout(&form().poolModel(), &QAbstractItemModel::layoutChanged);
  QSignalSpy reset(&form().poolModel(), &QAbstractItemModel::modelReset);
  for (int i = 0; i < 20; ++i) fire(form().Timer1);
  EXPECT_EQ(form().poolSelectedCount(), 999);
  EXPECT_EQ(changed.count() + layout.count() + reset.count(), 0);
  // The headline holds all 999 names; the screen shows the same pick as far as the
  // headline's area reaches, cut with "…" at its edge.
  const QString pick = platform::fromAnsi(form().headline());
  EXPECT_EQ(pick.split(U("，")).size(), 999);
  auto showsThePick = [&] {
    const QString shown = form().StaticText1->text();
    return shown.endsWith(QChar(0x2026)) && shown.size() > 100 && pick.startsWith(shown.chopped(1));
  };
  EXPECT_TRUE(QTest::qWaitFor(showsThePick, 1000)) << form().StaticText1->text().toStdString();

  int first = 0;
  while (!form().poolSelected(first)) ++first;
  form().ListBox1->scrollTo(form().poolModel().index(first));
  EXPECT_EQ(shownAt(first), form().ListBox1->palette().color(QPalette::Active, QPalette::Highlight));
  EXPECT_TRUE(rig_.dialogs.errors.empty());
}

}  // namespace
