#pragma once
// A window of the program's own that shows an HTML file (the help page, an HTML result) where the
// desktop has no browser to hand it to. Links to other addresses still go to the desktop.
#include <QDialog>

class QTextBrowser;

namespace ql {

class TBrowserWindow : public QDialog {
public:
  TBrowserWindow(QWidget* owner, const QString& title);
  // Shows the file (again, when it changed) and brings the window to the front.
  void ShowFile(const QString& fileName);
  QTextBrowser* Browser() const { return browser_; }

private:
  QTextBrowser* browser_;
};

}  // namespace ql
