#include "app/BrowserWindow.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ql {

TBrowserWindow::TBrowserWindow(QWidget* owner, const QString& title) : QDialog(owner, Qt::Window) {
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);
  layout->addWidget(browser_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
  resize(720, 600);
}

void TBrowserWindow::ShowFile(const QString& fileName) {
  browser_->setSource(QUrl());  // forget the cached page, so a changed file shows anew
  browser_->setSource(QUrl::fromLocalFile(fileName));
  show();
  raise();
  activateWindow();
}

}  // namespace ql
