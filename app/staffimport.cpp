#include "app/staffimport.h"

#include "app/importdialog.h"
#include "data/candidates.h"
#include "data/guard.h"
#include "data/session.h"
#include "data/stafflist.h"
#include "data/texts.h"
#include "data/window.h"
#include "platform/codec.h"
#include "platform/message.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QWidget>

namespace {

// The one file a drop brings, when it is a local file.
QString droppedFile(const QMimeData* mime) {
  if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return {};
  const QUrl url = mime->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

StaffImport::StaffImport(QWidget& window, Window& w, Session& s, ErrorReporter& reporter,
                         platform::Clock& clock, QMenu& menu, QAction* after)
    : QObject(&window), window_(window), w_(w), s_(s), reporter_(reporter), clock_(clock) {
  action_ = new QAction(QString::fromUtf8("导入名单…"), &menu);
  const QList<QAction*> items = menu.actions();
  const qsizetype at = items.indexOf(after);
  menu.insertAction(at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr, action_);
  connect(action_, &QAction::triggered, this, [this] { chooseFile(); });
  // Not offered while a draw runs.
  connect(&menu, &QMenu::aboutToShow, this, [this] { action_->setEnabled(!drawRunning()); });
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

bool StaffImport::drawRunning() const { return w_.buttonCaption() == T().stop; }

void StaffImport::chooseFile() {
  if (drawRunning()) return;
  const QString path =
      QFileDialog::getOpenFileName(&window_, QString::fromUtf8("导入名单"), QString(),
                                   QString::fromUtf8("员工名单 (*.xlsx *.csv *.txt *.tsv);;所有文件 (*)"));
  if (!path.isEmpty()) importFile(path);
}

void StaffImport::importFile(const QString& path) {
  Guarded(reporter_, [&] { importGuarded(path); });
}

void StaffImport::importGuarded(const QString& path) {
  const Text ansiPath = platform::toAnsi(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
  auto refuseDuringDraw = [&] {
    if (!drawRunning()) return false;
    reporter_.report(platform::message(
        QCoreApplication::translate(
            "StaffList",
            "A draw is running: import the staff list \"%1\" after it has been stopped or cancelled"),
        {ansiPath}));
    return true;
  };
  if (refuseDuringDraw()) return;
  const Sheet sheet = ReadStaffFile(ansiPath);
  if (sheet.rows.empty()) {
    reporter_.report(
        platform::message(QCoreApplication::translate(
                              "StaffList", "The staff list \"%1\" holds no rows; the pool stays as it is"),
                          {ansiPath}));
    return;
  }
  const std::vector<Text> winners = RecordedWinnerNames(s_);
  StaffImportDialog dialog(sheet, ansiPath, winners, &window_);
  if (dialog.exec() != QDialog::Accepted) return;
  // The dialog is modal, but the draw's timers go on: check again.
  if (refuseDuringDraw()) return;
  const StaffList list = BuildStaffList(sheet, dialog.columns(), winners);
  if (list.names.empty()) return;  // the dialog offers no import then
  const Text kept = ReplaceCandidates(w_, s_, list.names, clock_);
  const Text report =
      StaffReportText(ansiPath, list.report, int(list.names.size()), dialog.bracketHeading(), kept);
  QMessageBox box(QMessageBox::Information, platform::fromAnsi(T().appTitle), platform::fromAnsi(report),
                  QMessageBox::Ok, &window_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool StaffImport::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_) {
    if (event->type() == QEvent::DragEnter) {
      auto* drag = static_cast<QDragEnterEvent*>(event);
      if (!droppedFile(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = droppedFile(drop->mimeData());
      if (path.isEmpty()) return true;
      drop->acceptProposedAction();
      // The import opens its dialog after the drop has ended, so the program that the
      // file came from is not held while the operator chooses.
      QMetaObject::invokeMethod(
          this, [this, path] { importFile(path); }, Qt::QueuedConnection);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
