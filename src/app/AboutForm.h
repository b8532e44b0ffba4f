#pragma once
// The about box: three tabs (the program, the companion book, the XSLT processor) and OK. Links
// are labels that open their address through the desktop.
#include <QDialog>
#include <QLabel>
#include <functional>

class QTabWidget;
class QPushButton;

namespace ql {

class TWorkbenchDialogs;

// A label that shows an address in navy, underlined, and opens it when clicked.
class TLinkLabel : public QLabel {
public:
  TLinkLabel(const QString& address, QWidget* parent);
  std::function<void()> OnClick;

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

class TAboutDialog : public QDialog {
public:
  // Addresses behind the links; a link whose address is empty is not shown.
  static const char* const MakerSite;
  static const char* const SupportMail;
  static const char* const BookPage;
  static const char* const ProcessorSite;

  TAboutDialog(QWidget* owner, TWorkbenchDialogs& shell);

  QTabWidget* PageControl1 = nullptr;
  QPushButton* Button1 = nullptr;
  TLinkLabel* Label4 = nullptr;   // maker's web site
  TLinkLabel* Label7 = nullptr;   // support mail
  TLinkLabel* Label5 = nullptr;   // book's web page
  TLinkLabel* Label12 = nullptr;  // processor's web site

  void Button1Click();
  void Label4Click();
  void Label7Click();
  void Label5Click();
  void Label12Click();

private:
  QWidget* CreateProgramTab();
  QWidget* CreateBookTab();
  QWidget* CreateProcessorTab();
  TLinkLabel* AddLink(QWidget* tab, const char* address, void (TAboutDialog::*handler)());

  TWorkbenchDialogs& shell_;
};

}  // namespace ql
