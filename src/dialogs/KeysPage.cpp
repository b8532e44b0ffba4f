// The Key assignments page: the editor commands sorted by description, the key pairs of the
// selected one, and Add, Edit and Delete through the key pair wizard. The pairs live in the
// key assignment records until OK commits them to the working copy.
#include <QEvent>
#include <algorithm>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/KeyAssignDialog.h"
#include "dialogs/OptionsDialog.h"
#include "services/SM_Settings.h"

namespace ql {

namespace {
// Refills a list without its selection handlers seeing the intermediate states.
class TQuietList {
public:
  explicit TQuietList(QListWidget* list) : list_(list), blocked_(list->blockSignals(true)) {}
  ~TQuietList() { list_->blockSignals(blocked_); }
  TQuietList(const TQuietList&) = delete;
  TQuietList& operator=(const TQuietList&) = delete;

private:
  QListWidget* list_;
  bool blocked_;
};
}  // namespace

QWidget* TOptionsDialog::CreateKeysPage() {
  auto* page = new QWidget(this);
  page->setObjectName("KeysPage");
  auto* grid = new QGridLayout(page);
  CommandDescListBox = new QListWidget(page);
  CommandDescListBox->setObjectName("CommandDescListBox");
  CommandKeysListBox = new QListWidget(page);
  CommandKeysListBox->setObjectName("CommandKeysListBox");
  CommandKeysListBox->installEventFilter(this);
  auto* commands = new QLabel("Commands", page);
  commands->setBuddy(CommandDescListBox);
  auto* keys = new QLabel("Uses keys", page);
  keys->setBuddy(CommandKeysListBox);
  grid->addWidget(commands, 0, 0);
  grid->addWidget(CommandDescListBox, 1, 0, 2, 1);
  grid->addWidget(keys, 0, 1);
  grid->addWidget(CommandKeysListBox, 1, 1);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  grid->setRowStretch(1, 1);

  auto* buttons = new QHBoxLayout();
  const auto button = [&](const char* name, const char* caption) {
    auto* b = new QPushButton(caption, page);
    b->setObjectName(name);
    b->setAutoDefault(false);
    buttons->addWidget(b);
    return b;
  };
  AddButton = button("AddButton", "Add...");
  EditButton = button("EditButton", "Edit...");
  DeleteButton = button("DeleteButton", "Delete");
  buttons->addStretch(1);
  grid->addLayout(buttons, 2, 1);

  connect(CommandDescListBox, &QListWidget::currentRowChanged, this,
          [this] { Guarded([this] { CommandDescListBoxClick(); }); });
  connect(CommandKeysListBox, &QListWidget::currentRowChanged, this,
          [this] { Guarded([this] { CommandKeysListBoxClick(); }); });
  connect(CommandKeysListBox, &QListWidget::itemActivated, this, [this] { Guarded([this] { EditButtonClick(); }); });
  connect(AddButton, &QPushButton::clicked, this, [this] { Guarded([this] { AddButtonClick(); }); });
  connect(EditButton, &QPushButton::clicked, this, [this] { Guarded([this] { EditButtonClick(); }); });
  connect(DeleteButton, &QPushButton::clicked, this, [this] { Guarded([this] { DeleteButtonClick(); }); });
  return page;
}

void TOptionsDialog::FillKeysPage() {
  keyAssignments_ = std::make_unique<TKeyAssignments>(Working()->KeyController());
  {
    const TQuietList quiet(CommandDescListBox);
    CommandDescListBox->clear();
    for (const TCommandKeys& command : keyAssignments_->Commands())
      CommandDescListBox->addItem(QString::fromStdString(command.Description));
    CommandDescListBox->setCurrentRow(CommandDescListBox->count() > 0 ? 0 : -1);
  }
  CommandDescListBoxClick();
}

int TOptionsDialog::SelectedCommand() const {
  return keyAssignments_ != nullptr ? CommandDescListBox->currentRow() : -1;
}

void TOptionsDialog::CommandDescListBoxClick() {
  const int command = SelectedCommand();
  {
    const TQuietList quiet(CommandKeysListBox);
    CommandKeysListBox->clear();
    if (command >= 0) {
      for (const std::string& line : keyAssignments_->KeyLines(static_cast<size_t>(command)))
        CommandKeysListBox->addItem(QString::fromStdString(line));
    }
    CommandKeysListBox->setCurrentRow(CommandKeysListBox->count() > 0 ? 0 : -1);
  }
  CommandKeysListBoxClick();
  AddButton->setEnabled(command >= 0);
  DeleteButton->setEnabled(CommandKeysListBox->currentRow() >= 0);
}

void TOptionsDialog::CommandKeysListBoxClick() {
  const QListWidgetItem* line = CommandKeysListBox->currentItem();
  if (line != nullptr) ParseKeyLine(line->text().toStdString(), selectedPair_);
  const bool any = CommandKeysListBox->count() > 0;
  AddButton->setEnabled(SelectedCommand() >= 0);
  EditButton->setEnabled(any);
  DeleteButton->setEnabled(any);
}

void TOptionsDialog::CommandKeysListBoxExit() {
  const int command = SelectedCommand();
  if (command < 0) return;
  const size_t before = keyAssignments_->Pairs(static_cast<size_t>(command)).size();
  keyAssignments_->DropPairsWithoutFirstKey(static_cast<size_t>(command));
  if (keyAssignments_->Pairs(static_cast<size_t>(command)).size() != before) CommandDescListBoxClick();
  else CommandKeysListBoxClick();
}

bool TOptionsDialog::RunKeyWizard(TKeyWizardMode mode, TKeyPair& pair) {
  const int command = SelectedCommand();
  TKeyAssignDialog wizard(this);
  wizard.RunModal = RunModal;
  ShortCutCode first = pair.First, second = pair.Second;
  if (!wizard.Execute(first, second, mode, kKeyWizardStep2Text, kKeyWizardStep1Text,
                      keyAssignments_->Commands()[static_cast<size_t>(command)].Description))
    return false;
  pair = {first, second};
  return true;
}

void TOptionsDialog::AddButtonClick() {
  const int command = SelectedCommand();
  if (command < 0) return;
  TKeyPair pair;
  if (RunKeyWizard(TKeyWizardMode::kAdd, pair)) {
    keyAssignments_->Add(static_cast<size_t>(command), pair);
    CommandDescListBoxClick();
    CommandKeysListBox->setCurrentRow(CommandKeysListBox->count() - 1);  // the new pair
  }
}

void TOptionsDialog::EditButtonClick() {
  const int command = SelectedCommand();
  if (command < 0) return;
  const std::vector<TKeyPair>& pairs = keyAssignments_->Pairs(static_cast<size_t>(command));
  const auto at = std::find(pairs.begin(), pairs.end(), selectedPair_);
  if (at == pairs.end()) return;
  const int row = static_cast<int>(at - pairs.begin());
  TKeyPair pair = selectedPair_;
  if (RunKeyWizard(TKeyWizardMode::kEdit, pair)) keyAssignments_->Replace(static_cast<size_t>(command), selectedPair_, pair);
  CommandDescListBoxClick();
  CommandKeysListBox->setCurrentRow(row);
}

void TOptionsDialog::DeleteButtonClick() {
  const int command = SelectedCommand();
  if (command < 0 || CommandKeysListBox->count() == 0) return;
  const int row = CommandKeysListBox->currentRow();
  keyAssignments_->Delete(static_cast<size_t>(command), selectedPair_);
  CommandDescListBoxClick();
  CommandKeysListBox->setCurrentRow(std::min(row, CommandKeysListBox->count() - 1));
}

bool TOptionsDialog::CommitKeys() {
  keyCommitFailed_ = false;
  if (keyAssignments_ == nullptr) return true;
  const std::optional<std::string> conflict = keyAssignments_->Commit();
  if (!conflict) return true;
  keyCommitFailed_ = true;
  ShowError(QString::fromStdString(*conflict).replace("\r\n", "\n"));
  return false;
}

}  // namespace ql
