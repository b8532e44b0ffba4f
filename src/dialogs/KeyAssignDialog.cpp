#include "dialogs/KeyAssignDialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "dialogs/HotKeyBox.h"

namespace ql {

namespace {
constexpr int kInfoWidth = 225;
constexpr int kButtonPanelHeight = 40;
constexpr int kKeyBoxWidth = 150;
constexpr int kMargin = 8;

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->resize(std::max(75, button->sizeHint().width()), 25);
  return button;
}
}  // namespace

TKeyAssignDialog::TKeyAssignDialog(QWidget* parent) : QDialog(parent) {
  RunModal = [](QDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
  FormCreate();
}

void TKeyAssignDialog::FormCreate() {
  setObjectName("KeyAssignDialog");
  WizardPanel = new QWidget(this);
  WizardPanel->setObjectName("WizardPanel");
  int tag = 1;
  for (QWidget** panel : {&Step1Panel, &Step2Panel}) {
    *panel = new QWidget(WizardPanel);
    (*panel)->setObjectName(tag == 1 ? "Step1Panel" : "Step2Panel");
    (*panel)->setProperty("tag", tag);
    auto* label = new QLabel(QStringLiteral("Step %1").arg(tag), *panel);
    label->setObjectName(tag == 1 ? "Step1Label" : "Step2Label");
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->move(kMargin, kMargin);
    label->adjustSize();
    auto* info = new QLabel(*panel);
    info->setObjectName(tag == 1 ? "Step1InfoLabel" : "Step2InfoLabel");
    info->setWordWrap(true);
    info->move(kMargin, label->geometry().bottom() + 1 + 6);
    auto* box = new TSM_HotKey(*panel);
    box->setObjectName(tag == 1 ? "Edit1" : "Edit2");
    box->resize(kKeyBoxWidth, box->sizeHint().height());
    box->OnChange = [this](TSM_HotKey&) { UpdateButtons(); };
    auto* clear = Button(tag == 1 ? "ClearKey1Button" : "ClearKey2Button", "Clear", *panel);
    connect(clear, &QPushButton::clicked, this, [this, box] {
      box->SetValue(0);
      box->setFocus();
    });
    // Entering the panel focuses its key box.
    (*panel)->setFocusProxy(box);
    if (tag == 1) {
      Step1Label = label, Step1InfoLabel = info, firstBox_ = box, ClearKey1Button = clear;
    } else {
      Step2Label = label, Step2InfoLabel = info, secondBox_ = box, ClearKey2Button = clear;
    }
    ++tag;
  }
  setTabOrder(firstBox_, ClearKey1Button);
  setTabOrder(secondBox_, ClearKey2Button);

  ButtonPanel = new QWidget(this);
  ButtonPanel->setObjectName("ButtonPanel");
  BackButton_ = Button("BackButton", "< Back", ButtonPanel);
  NextButton_ = Button("NextButton", "Next >", ButtonPanel);
  NextButton_->setAutoDefault(true);
  CancelButton_ = Button("CancelButton", "Cancel", ButtonPanel);
  // "Next >" and "Finish" share the button; it is wide enough for either.
  NextButton_->resize(std::max(NextButton_->width(), NextButton_->fontMetrics().horizontalAdvance("Finish") + 24), 25);
  connect(NextButton_, &QPushButton::clicked, this, [this] { NextButtonClick(); });
  connect(BackButton_, &QPushButton::clicked, this, [this] { BackButtonClick(); });
  connect(CancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  step_ = 1;
  Step2Panel->hide();
  UpdateButtons();
}

bool TKeyAssignDialog::Execute(ShortCutCode& first, ShortCutCode& second, TKeyWizardMode mode,
                               const std::string& step2Text, const std::string& step1Text,
                               const std::string& description) {
  mode_ = mode;
  first_ = first;
  second_ = second;
  setWindowTitle(QString::fromStdString(KeyWizardCaption(mode, description)));
  for (auto [label, text] : {std::pair{Step1InfoLabel, &step1Text}, std::pair{Step2InfoLabel, &step2Text}}) {
    label->setText(QString::fromStdString(*text));
    label->resize(kInfoWidth, label->heightForWidth(kInfoWidth));
  }
  FormShow();
  const bool finished = RunModal(*this);
  // The captured values, not a reading of the boxes' texts.
  first = firstBox_->Value();
  second = secondBox_->Value();
  return finished;
}

void TKeyAssignDialog::FormShow() {
  const bool edit = mode_ == TKeyWizardMode::kEdit;
  firstBox_->SetValue(edit ? first_ : 0);
  secondBox_->SetValue(edit ? second_ : 0);

  // Each key box stands at the top of its instruction, 15 pixels right of it; its "Clear" button
  // 6 pixels below, right-aligned with it.
  for (auto [info, box, clear] : {std::tuple{Step1InfoLabel, firstBox_, ClearKey1Button},
                                  std::tuple{Step2InfoLabel, secondBox_, ClearKey2Button}}) {
    box->move(info->geometry().right() + 1 + 15, info->y());
    clear->move(box->geometry().right() + 1 - clear->width(), box->geometry().bottom() + 1 + 6);
  }
  const int infoWidth = std::max(Step1InfoLabel->width(), Step2InfoLabel->width());
  const int infoHeight = std::max(Step1InfoLabel->height(), Step2InfoLabel->height());
  const int width = infoWidth + Step2InfoLabel->x() + firstBox_->width() + 40;
  const int height = kButtonPanelHeight + Step2Label->geometry().bottom() + 1 +
                     std::max(infoHeight, ClearKey1Button->geometry().bottom() + 1 + 4) + 24;
  setFixedSize(width, height);
  WizardPanel->setGeometry(0, 0, width, height - kButtonPanelHeight);
  for (QWidget* panel : {Step1Panel, Step2Panel}) panel->setGeometry(WizardPanel->rect());
  ButtonPanel->setGeometry(0, height - kButtonPanelHeight, width, kButtonPanelHeight);
  const int y = (kButtonPanelHeight - CancelButton_->height()) / 2;
  CancelButton_->move(width - kMargin - CancelButton_->width(), y);
  NextButton_->move(CancelButton_->x() - kMargin - NextButton_->width(), y);
  BackButton_->move(NextButton_->x() - kMargin - BackButton_->width(), y);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(width / 2, height / 2));

  GoToStep(1);
}

void TKeyAssignDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  (step_ == 1 ? firstBox_ : secondBox_)->setFocus();
}

void TKeyAssignDialog::GoToStep(int step) {
  step_ = step;
  QWidget* shown = step == 1 ? Step1Panel : Step2Panel;
  (step == 1 ? Step2Panel : Step1Panel)->hide();
  shown->show();
  shown->raise();
  shown->setFocus();
  UpdateButtons();
}

void TKeyAssignDialog::UpdateButtons() {
  const TKeyWizardButtons b = KeyWizardButtons(step_, !firstBox_->text().isEmpty(), !secondBox_->text().isEmpty());
  NextButton_->setText(QString::fromStdString(b.NextCaption));
  NextButton_->setEnabled(b.NextEnabled);
  BackButton_->setEnabled(b.BackEnabled);
  ClearKey1Button->setEnabled(b.ClearFirstEnabled);
  ClearKey2Button->setEnabled(b.ClearSecondEnabled);
}

void TKeyAssignDialog::NextButtonClick() {
  if (step_ == 2) {
    accept();
    return;
  }
  GoToStep(2);
}

void TKeyAssignDialog::BackButtonClick() {
  if (step_ == 2) GoToStep(1);
}

}  // namespace ql
