#include "app/QtWorkbenchDialogs.h"

#include "toolkit/qt/QtPrinter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QPrintDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace ql {
namespace {

// "Description|pattern|..." as Qt name filters. "*.*" means every file here, including names
// without a dot, which Qt writes as "*".
QStringList NameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const QString pattern = parts[i + 1] == "*.*" ? QStringLiteral("*") : parts[i + 1];
    const qsizetype paren = description.lastIndexOf('(');
    if (paren > 0) description = description.left(paren).trimmed();
    filters << QStringLiteral("%1 (%2)").arg(description, QString(pattern).replace(';', ' '));
  }
  return filters;
}

QString AppTitle() { return QApplication::applicationName(); }

}  // namespace

TAnswer TQtWorkbenchDialogs::Ask(const QString& title, const QString& text, bool withCancel) {
  QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, parent_);
  QPushButton* yes = box.addButton(QObject::tr("&Yes"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QObject::tr("&No"), QMessageBox::NoRole);
  QPushButton* cancel = withCancel ? box.addButton(QObject::tr("Cancel"), QMessageBox::RejectRole) : nullptr;
  box.setDefaultButton(yes);
  box.setEscapeButton(withCancel ? cancel : no);
  box.exec();
  if (box.clickedButton() == yes) return TAnswer::Yes;
  if (box.clickedButton() == no || !withCancel) return TAnswer::No;
  return TAnswer::Cancel;
}

void TQtWorkbenchDialogs::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, AppTitle(), text, QMessageBox::Ok, parent_);
  box.exec();
}

void TQtWorkbenchDialogs::ShowError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, AppTitle(), text, QMessageBox::Ok, parent_);
  box.exec();
}

bool TQtWorkbenchDialogs::Execute(TFileDialog& dialog) {
  QFileDialog box(parent_, dialog.Title);
  box.setAcceptMode(dialog.SaveMode ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // An open dialog takes a typed name that does not exist; the document load reports it.
  box.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = NameFilters(dialog.Filter);
  box.setNameFilters(filters);
  if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= filters.size()) {
    box.selectNameFilter(filters[dialog.FilterIndex - 1]);
  }
  if (!dialog.FileName.isEmpty()) box.selectFile(dialog.FileName);
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
  dialog.FileName = box.selectedFiles().constFirst();
  const qsizetype chosen = filters.indexOf(box.selectedNameFilter());
  if (chosen >= 0) dialog.FilterIndex = static_cast<int>(chosen) + 1;
  return true;
}

void TQtWorkbenchDialogs::ShowModal(QDialog& dialog) { dialog.exec(); }

void TQtWorkbenchDialogs::ShellOpen(const QString& target) {
  const QUrl url = target.startsWith('/') ? QUrl::fromLocalFile(target) : QUrl(target);
  QDesktopServices::openUrl(url);
}

bool TQtWorkbenchDialogs::CanShellOpen(const QString& target) {
  // The desktop opens files and addresses through xdg-open, which hands them to the program
  // its MIME settings name for their type; without one the open fails without a word.
  if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) return false;
  if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return true;  // no way to ask: trust the desktop
  const QString type = target.startsWith('/') ? QMimeDatabase().mimeTypeForFile(target).name()
                                              : QStringLiteral("x-scheme-handler/") + QUrl(target).scheme();
  QProcess query;
  query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
  if (!query.waitForFinished(3000)) {
    query.kill();
    query.waitForFinished(1000);
    return true;
  }
  return !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace ql


namespace ql {

bool TQtWorkbenchDialogs::ExecutePrint(bool hasSelection, bool& selectionOnly) {
  QPrintDialog dialog(&QtPrinter().Device(), parent_);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  selectionOnly = dialog.printRange() == QAbstractPrintDialog::Selection;
  return true;
}

}  // namespace ql
