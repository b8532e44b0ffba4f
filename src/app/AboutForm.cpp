#include "app/AboutForm.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/ProgramArguments.h"
#include "app/WorkbenchDialogs.h"

namespace ql {

const char* const TAboutDialog::MakerSite = "";
const char* const TAboutDialog::SupportMail = "";
const char* const TAboutDialog::BookPage = "";
const char* const TAboutDialog::ProcessorSite = "https://www.saxonica.com/";

namespace {

QFont TahomaFont(int pixels, bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A tab is a white panel.
QWidget* WhitePanel() {
  auto* panel = new QWidget;
  panel->setAutoFillBackground(true);
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, Qt::white);
  panel->setPalette(colours);
  return panel;
}

QLabel* Picture(const QString& resource, QSize size, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setFixedSize(size);
  label->setPixmap(QPixmap(resource).scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  return label;
}

}  // namespace

TLinkLabel::TLinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  font.setUnderline(true);
  setFont(font);
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, QColor(0, 0, 128));
  setPalette(colours);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  setToolTip(address);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) OnClick();
  QLabel::mouseReleaseEvent(event);
}

void TLinkLabel::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Space) && OnClick) {
    OnClick();
    return;
  }
  QLabel::keyPressEvent(event);
}

TAboutDialog::TAboutDialog(QWidget* owner, TWorkbenchDialogs& shell) : QDialog(owner), shell_(shell) {
  setWindowTitle(QStringLiteral("About Quillon"));
  setFont(TahomaFont(11, false));
  setFixedSize(421, 305);

  PageControl1 = new QTabWidget(this);
  PageControl1->setGeometry(7, 7, 405, 264);
  PageControl1->addTab(CreateProgramTab(), QStringLiteral("About Quillon"));
  PageControl1->addTab(CreateBookTab(), QStringLiteral("About the Book"));
  PageControl1->addTab(CreateProcessorTab(), QStringLiteral("About XSLT Processor"));
  PageControl1->setCurrentIndex(0);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setDefault(true);
  Button1->setAutoDefault(true);
  Button1->setGeometry(421 - 7 - 75, 305 - 7 - 25, 75, 25);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

TLinkLabel* TAboutDialog::AddLink(QWidget* tab, const char* address, void (TAboutDialog::*handler)()) {
  if (*address == '\0') return nullptr;
  QString shown = QString::fromUtf8(address);
  if (shown.startsWith(QLatin1String("mailto:"))) shown = shown.mid(7);
  auto* link = new TLinkLabel(shown, tab);
  link->OnClick = [this, handler] { (this->*handler)(); };
  return link;
}

QWidget* TAboutDialog::CreateProgramTab() {
  QWidget* tab = WhitePanel();
  auto* row = new QHBoxLayout(tab);
  row->addWidget(Picture(QStringLiteral(":/icons/about.png"), QSize(213, 214), tab), 0, Qt::AlignTop);
  auto* text = new QVBoxLayout;
  auto* name = new QLabel(QStringLiteral("Quillon"), tab);
  name->setFont(TahomaFont(16, true));
  text->addWidget(name);
  text->addWidget(new QLabel(QStringLiteral("Version %1").arg(QString::fromUtf8(QuillonVersion)), tab));
  text->addWidget(new QLabel(QStringLiteral("An XSLT editor and workbench"), tab));
  text->addSpacing(12);
  Label4 = AddLink(tab, MakerSite, &TAboutDialog::Label4Click);
  if (Label4) text->addWidget(Label4);
  Label7 = AddLink(tab, SupportMail, &TAboutDialog::Label7Click);
  if (Label7) {
    text->addWidget(new QLabel(QStringLiteral("Questions, suggestions, bugs: "), tab));
    text->addWidget(Label7);
  }
  text->addStretch(1);
  row->addLayout(text, 1);
  return tab;
}

QWidget* TAboutDialog::CreateBookTab() {
  QWidget* tab = WhitePanel();
  auto* row = new QHBoxLayout(tab);
  row->addWidget(Picture(QStringLiteral(":/icons/book.png"), QSize(111, 140), tab), 0, Qt::AlignTop);
  auto* text = new QVBoxLayout;
  auto* about = new QLabel(
      QStringLiteral("Quillon is an easy-to-use XSLT editor and learning tool. Keep a source document "
                     "and a stylesheet side by side, press Transform and read the result at once. "
                     "Working through the examples of a book on XSLT, it serves as the book's "
                     "software companion: type an example, change it, and see what it does."),
      tab);
  about->setWordWrap(true);
  text->addWidget(about);
  Label5 = AddLink(tab, BookPage, &TAboutDialog::Label5Click);
  if (Label5) {
    text->addWidget(new QLabel(QStringLiteral("Samples, updates, and book info:"), tab));
    text->addWidget(Label5);
  }
  text->addStretch(1);
  row->addLayout(text, 1);
  return tab;
}

QWidget* TAboutDialog::CreateProcessorTab() {
  QWidget* tab = WhitePanel();
  auto* text = new QVBoxLayout(tab);
  auto* name = new QLabel(QStringLiteral("SAXON"), tab);
  name->setFont(TahomaFont(28, true));
  text->addWidget(name);
  auto* about = new QLabel(QStringLiteral("Quillon uses the SAXON XSLT processor (Saxon-HE), written by "
                                          "Michael Kay, to run its transformations."),
                           tab);
  about->setWordWrap(true);
  text->addWidget(about);
  text->addSpacing(12);
  Label12 = AddLink(tab, ProcessorSite, &TAboutDialog::Label12Click);
  if (Label12) {
    text->addWidget(new QLabel(QStringLiteral("Parser updates and info:"), tab));
    text->addWidget(Label12);
  }
  text->addStretch(1);
  return tab;
}

void TAboutDialog::Button1Click() { accept(); }
void TAboutDialog::Label4Click() { shell_.ShellOpen(QString::fromUtf8(MakerSite)); }
void TAboutDialog::Label7Click() { shell_.ShellOpen(QString::fromUtf8(SupportMail)); }
void TAboutDialog::Label5Click() { shell_.ShellOpen(QString::fromUtf8(BookPage)); }
void TAboutDialog::Label12Click() { shell_.ShellOpen(QString::fromUtf8(ProcessorSite)); }

}  // namespace ql
