// The Auto correct page: the auto-replace entries (Replace box R, With box W, the list) and the
// trigger keys ("Act key(s)"). Every change of the list goes into the working table at once.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/MacroListBox.h"
#include "dialogs/OptionsDialog.h"
#include "editor/AutoCorrectList.h"
#include "editor/qt/QtInkMemo.h"
#include "services/SM_Settings.h"

namespace ql {

QWidget* TOptionsDialog::CreateAutoCorrectPage() {
  auto* page = new QWidget(this);
  page->setObjectName("AutoCorrectPage");
  auto* grid = new QGridLayout(page);
  const auto box = [page](const char* name) {
    auto* b = new QLineEdit(page);
    b->setObjectName(name);
    return b;
  };
  ReplaceBox = box("ReplaceBox");
  ReplaceBox->setMaxLength(static_cast<int>(TMacroKeywords::MaxName));
  WithBox = box("WithBox");
  AutoReplActBox = box("AutoReplActBox");
  AutoReplActBox->setMaxLength(static_cast<int>(TAutoReplace::MaxTriggers));
  AutoReplButton1 = new QPushButton("Add", page);
  AutoReplButton1->setObjectName("AutoReplButton1");
  AutoReplButton2 = new QPushButton("Replace", page);
  AutoReplButton2->setObjectName("AutoReplButton2");
  AutoReplBox = NewMacroListBox("AutoReplBox", page);

  const auto label = [page](const char* text, QWidget* buddy) {
    auto* l = new QLabel(text, page);
    l->setBuddy(buddy);
    return l;
  };
  grid->addWidget(label("Replace", ReplaceBox), 0, 0);
  grid->addWidget(label("With", WithBox), 0, 1);
  grid->addWidget(ReplaceBox, 1, 0);
  grid->addWidget(WithBox, 1, 1);
  grid->addWidget(AutoReplButton1, 1, 2);
  grid->addWidget(AutoReplButton2, 1, 3);
  grid->addWidget(AutoReplBox, 2, 0, 1, 4);
  auto* keys = new QHBoxLayout();
  keys->addWidget(label("Act key(s)", AutoReplActBox));
  keys->addWidget(AutoReplActBox, 1);
  grid->addLayout(keys, 3, 0, 1, 4);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 2);
  grid->setRowStretch(2, 1);

  connect(AutoReplBox, &QListWidget::currentRowChanged, this, [this] {
    if (!macroUpdating_) Guarded([this] { AutoReplBoxClick(); });
  });
  for (QLineEdit* b : {ReplaceBox, WithBox}) {  // ReplaceBoxChange, WithBoxChange
    connect(b, &QLineEdit::textChanged, this, [this] {
      if (!macroUpdating_) Guarded([this] { UpdateAutoReplButtons(); });
    });
  }
  connect(AutoReplButton1, &QPushButton::clicked, this, [this] { Guarded([this] { AutoReplButton1Click(); }); });
  connect(AutoReplButton2, &QPushButton::clicked, this, [this] { Guarded([this] { AutoReplButton2Click(); }); });
  connect(AutoReplActBox, &QLineEdit::editingFinished, this, [this] {
    if (AutoReplActBox->isModified()) Guarded([this] { AutoReplActBoxExit(); });
  });
  return page;
}

void TOptionsDialog::FillAutoCorrectPage() {
  const TAutoReplace& table = Working()->AutoReplace();
  const TTextEncoding encoding = InkMemo1->DisplayEncoding();
  {
    TUpdatingBoxes updating(macroUpdating_);
    autoReplList_ = AutoReplaceList(table);
    ShowMacroList(*AutoReplBox, autoReplList_, -1, encoding);
    ReplaceBox->clear();
    WithBox->clear();
    AutoReplActBox->setText(ShownText(encoding, table.Triggers()));
    AutoReplActBox->setModified(false);
  }
  AutoReplBoxClick();
}

void TOptionsDialog::AutoReplBoxClick() {
  const int row = AutoReplBox->currentRow();
  const TTextEncoding encoding = InkMemo1->DisplayEncoding();
  {
    TUpdatingBoxes updating(macroUpdating_);
    const bool selected = row >= 0 && row < autoReplList_.Count();
    ReplaceBox->setText(selected ? ShownText(encoding, autoReplList_[row].Name) : QString());
    WithBox->setText(selected ? ShownText(encoding, autoReplList_[row].Second) : QString());
  }
  UpdateAutoReplButtons();
}

void TOptionsDialog::UpdateAutoReplButtons() {
  const TTextEncoding encoding = InkMemo1->DisplayEncoding();
  const TEntryButtons b =
      AutoReplaceButtons(autoReplList_, TypedBytes(encoding, ReplaceBox->text()), TypedBytes(encoding, WithBox->text()));
  AutoReplButton1->setEnabled(b.AddEnabled);
  AutoReplButton2->setEnabled(b.SecondEnabled);
  if (b.SecondChanges) {
    autoReplSecond_ = b.Second;
    AutoReplButton2->setText(SecondCaption(b.Second));
  }
  if (b.Select >= 0) {
    TUpdatingBoxes updating(macroUpdating_);
    AutoReplBox->setCurrentRow(b.Select);
  }
}

void TOptionsDialog::AutoReplButton1Click() {
  const TTextEncoding encoding = InkMemo1->DisplayEncoding();
  const int32_t at =
      AddAutoReplaceEntry(autoReplList_, TypedBytes(encoding, ReplaceBox->text()), TypedBytes(encoding, WithBox->text()));
  AutoReplListChanged(at);
}

void TOptionsDialog::AutoReplButton2Click() {
  const TTextEncoding encoding = InkMemo1->DisplayEncoding();
  const std::string r = TypedBytes(encoding, ReplaceBox->text());
  const int32_t at = autoReplSecond_ == TSecondAction::Delete
                         ? DeleteListEntry(autoReplList_, r, AutoReplBox->currentRow())
                         : ReplaceAutoReplaceEntry(autoReplList_, r, TypedBytes(encoding, WithBox->text()));
  AutoReplListChanged(at);
}

void TOptionsDialog::AutoReplListChanged(int32_t select) {
  {
    TUpdatingBoxes updating(macroUpdating_);
    ShowMacroList(*AutoReplBox, autoReplList_, select, InkMemo1->DisplayEncoding());
  }
  AutoReplBoxClick();
  TAutoReplace& table = Working()->AutoReplace();
  try {
    RebuildAutoReplace(table, autoReplList_, TypedBytes(InkMemo1->DisplayEncoding(), AutoReplActBox->text()));
  } catch (...) {
    AutoReplActBox->setText(ShownText(InkMemo1->DisplayEncoding(), table.Triggers()));
    AutoReplActBox->setModified(false);
    throw;
  }
}

// A text that does not parse changes nothing: the box shows the triggers in force again.
void TOptionsDialog::AutoReplActBoxExit() {
  if (Working() == nullptr) return;
  AutoReplActBox->setModified(false);
  TAutoReplace& table = Working()->AutoReplace();
  try {
    table.SetTriggers(TypedBytes(InkMemo1->DisplayEncoding(), AutoReplActBox->text()));
  } catch (...) {
    AutoReplActBox->setText(ShownText(InkMemo1->DisplayEncoding(), table.Triggers()));
    throw;
  }
}

}  // namespace ql
