#include "dialogs/FindReplaceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ql {
namespace {

constexpr int kHistory = 16;  // texts kept in each box's list

QComboBox* TextBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMinimumContentsLength(28);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return box;
}

// Puts the box's text at the top of its list.
void Remember(QComboBox* box) {
  const QString text = box->currentText();
  if (text.isEmpty()) return;
  const int at = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (at == 0) return;
  if (at > 0) box->removeItem(at);
  box->insertItem(0, text);
  while (box->count() > kHistory) box->removeItem(box->count() - 1);
  box->setCurrentIndex(0);
}

}  // namespace

TFindReplaceDialog::TFindReplaceDialog(bool replace, QWidget* parent) : QDialog(parent) {
  setWindowTitle(replace ? tr("Replace") : tr("Find"));
  setModal(false);

  auto* fields = new QFormLayout;
  find_ = TextBox(this);
  fields->addRow(tr("Fi&nd what:"), find_);
  if (replace) {
    replace_ = TextBox(this);
    fields->addRow(tr("Re&place with:"), replace_);
  }

  matchCase_ = new QCheckBox(tr("Match &case"), this);
  wholeWord_ = new QCheckBox(tr("Match &whole word only"), this);
  regex_ = new QCheckBox(tr("Regular e&xpression"), this);
  auto* options = new QVBoxLayout;
  options->addWidget(wholeWord_);
  options->addWidget(matchCase_);
  options->addWidget(regex_);

  auto* direction = new QGroupBox(tr("Direction"), this);
  up_ = new QRadioButton(tr("&Up"), direction);
  down_ = new QRadioButton(tr("&Down"), direction);
  down_->setChecked(true);
  auto* directionLayout = new QHBoxLayout(direction);
  directionLayout->addWidget(up_);
  directionLayout->addWidget(down_);

  auto* lower = new QHBoxLayout;
  lower->addLayout(options);
  lower->addWidget(direction);

  auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
  findNext_ = buttons->addButton(tr("&Find Next"), QDialogButtonBox::ActionRole);
  findNext_->setDefault(true);
  if (replace) {
    replaceOne_ = buttons->addButton(tr("&Replace"), QDialogButtonBox::ActionRole);
    replaceAll_ = buttons->addButton(tr("Replace &All"), QDialogButtonBox::ActionRole);
  }
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(findNext_, &QPushButton::clicked, this, [this] { Act(TFindAction::FindNext); });
  if (replace) {
    connect(replaceOne_, &QPushButton::clicked, this, [this] { Act(TFindAction::Replace); });
    connect(replaceAll_, &QPushButton::clicked, this, [this] { Act(TFindAction::ReplaceAll); });
  }
  connect(find_, &QComboBox::editTextChanged, this, [this] { UpdateButtons(); });
  // Whole words apply to literal search only.
  connect(regex_, &QCheckBox::toggled, this, [this] { UpdateButtons(); });

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(lower);
  left->addStretch(1);
  auto* all = new QHBoxLayout(this);
  all->addLayout(left, 1);
  all->addWidget(buttons);
  UpdateButtons();
}

void TFindReplaceDialog::UpdateButtons() {
  const bool any = !find_->currentText().isEmpty();
  findNext_->setEnabled(any);
  if (replaceOne_ != nullptr) replaceOne_->setEnabled(any);
  if (replaceAll_ != nullptr) replaceAll_->setEnabled(any);
  wholeWord_->setEnabled(!regex_->isChecked());
}

void TFindReplaceDialog::Present(const TFindFields& fields, TActionHandler onAction) {
  onAction_ = std::move(onAction);
  if (!fields.Find.isEmpty() || find_->currentText().isEmpty()) find_->setEditText(fields.Find);
  if (replace_ != nullptr && !fields.Replace.isEmpty()) replace_->setEditText(fields.Replace);
  matchCase_->setChecked(fields.MatchCase);
  wholeWord_->setChecked(fields.WholeWord);
  regex_->setChecked(fields.Regex);
  (fields.Down ? down_ : up_)->setChecked(true);
  UpdateButtons();
  show();
  raise();
  activateWindow();
  find_->setFocus();
  find_->lineEdit()->selectAll();
}

void TFindReplaceDialog::Detach() {
  onAction_ = nullptr;
  hide();
}

TFindFields TFindReplaceDialog::Fields() const {
  TFindFields f;
  f.Find = find_->currentText();
  if (replace_ != nullptr) f.Replace = replace_->currentText();
  f.MatchCase = matchCase_->isChecked();
  f.WholeWord = wholeWord_->isChecked() && !regex_->isChecked();
  f.Down = down_->isChecked();
  f.Regex = regex_->isChecked();
  return f;
}

void TFindReplaceDialog::Act(TFindAction action) {
  if (find_->currentText().isEmpty()) return;
  Remember(find_);
  if (replace_ != nullptr) Remember(replace_);
  if (onAction_) onAction_(action, Fields());
}

}  // namespace ql
