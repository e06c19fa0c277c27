#include "platform/codec.h"
#include "platform/gui.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace platform {

void QtDialogs::errorBox(const Text& caption, const Text& text) {
  QMessageBox box(QMessageBox::Critical, fromAnsi(caption), fromAnsi(text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);  // a message may quote any name or path
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

namespace {

// A Yes/No question whose Escape and close box give `safe`, the default button.
Dialogs::Answer ask(const Text& caption, const Text& text, QMessageBox::StandardButton safe) {
  QMessageBox box(QMessageBox::Question, fromAnsi(caption), fromAnsi(text),
                  QMessageBox::Yes | QMessageBox::No);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(safe);
  box.setEscapeButton(box.button(safe));
  box.setWindowModality(Qt::ApplicationModal);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Dialogs::Answer::Yes;
    case QMessageBox::No:
      return Dialogs::Answer::No;
    default:
      return Dialogs::Answer::Failed;
  }
}

}  // namespace

// Only a deliberate No may start a fresh record: Escape and the close box answer Yes.
Dialogs::Answer QtDialogs::askYesNo(const Text& caption, const Text& text) {
  return ask(caption, text, QMessageBox::Yes);
}

Dialogs::Answer QtDialogs::confirm(const Text& caption, const Text& text) {
  return ask(caption, text, QMessageBox::No);
}

Text QtDialogs::inputBox(const Text& caption, const Text& prompt, const Text& deflt) {
  QDialog dialog;
  dialog.setWindowTitle(fromAnsi(caption));
  dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  dialog.setWindowModality(Qt::ApplicationModal);

  auto* label = new QLabel(fromAnsi(prompt), &dialog);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  auto* entry = new QLineEdit(fromAnsi(deflt), &dialog);
  entry->setMaxLength(255);
  entry->selectAll();
  label->setBuddy(entry);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(label);
  layout->addWidget(entry);
  layout->addWidget(buttons);
  dialog.setFixedWidth(360);
  dialog.setFixedHeight(dialog.sizeHint().height());
  // Centred on the screen frame and all: the native window is made first, so that the
  // platform can tell the frame's extent before the box is shown (where it cannot, the
  // frame counts as nothing).
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    dialog.winId();
    const QMargins frame = dialog.windowHandle() ? dialog.windowHandle()->frameMargins() : QMargins();
    const QSize outer = dialog.size().grownBy(frame);
    dialog.move(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, outer, screen->availableGeometry()).topLeft());
  }
  entry->setFocus();

  if (dialog.exec() != QDialog::Accepted) return deflt;
  return toAnsi(entry->text());
}

}  // namespace platform
