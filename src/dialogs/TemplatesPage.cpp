// The Code templates page: the templates (Name box N, Description box D, the list, the template
// editor InkMemo1) and the template hot key. Every change of the list goes into the working
// template table at once; the hot key when its box is left.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/HotKeyBox.h"
#include "dialogs/MacroListBox.h"
#include "dialogs/OptionsDialog.h"
#include "editor/TemplateList.h"
#include "editor/qt/QtInkMemo.h"
#include "services/SM_Settings.h"

namespace ql {

QWidget* TOptionsDialog::CreateTemplatesPage() {
  auto* page = new QWidget(this);
  page->setObjectName("TemplatesPage");
  auto* grid = new QGridLayout(page);
  const auto box = [page](const char* name, int maxLength) {
    auto* b = new QLineEdit(page);
    b->setObjectName(name);
    b->setMaxLength(maxLength);
    return b;
  };
  cteNameBox = box("cteNameBox", static_cast<int>(TMacroKeywords::MaxName));
  cteDescBox = box("cteDescBox", static_cast<int>(TMacroEntry::MaxDescription));
  CodeTemplateButton1 = new QPushButton("Add", page);
  CodeTemplateButton1->setObjectName("CodeTemplateButton1");
  CodeTemplateButton2 = new QPushButton("Replace", page);
  CodeTemplateButton2->setObjectName("CodeTemplateButton2");
  cteListBox = NewMacroListBox("cteListBox", page);
  InkMemo1 = new TQtInkMemo(page);
  InkMemo1->setObjectName("InkMemo1");
  InkMemo1->setMinimumHeight(110);
  InkMemo1->installEventFilter(this);
  cteHotkey = new TSM_HotKey(page, TSM_HotKey::TStyle::kSystemHotKey);
  cteHotkey->setObjectName("cteHotkey");
  cteHotkey->setFixedWidth(150);
  cteHotkey->installEventFilter(this);

  const auto label = [page](const char* text, QWidget* buddy) {
    auto* l = new QLabel(text, page);
    l->setBuddy(buddy);
    return l;
  };
  grid->addWidget(label("Name", cteNameBox), 0, 0);
  grid->addWidget(label("Description", cteDescBox), 0, 1);
  grid->addWidget(cteNameBox, 1, 0);
  grid->addWidget(cteDescBox, 1, 1);
  grid->addWidget(CodeTemplateButton1, 1, 2);
  grid->addWidget(CodeTemplateButton2, 1, 3);
  grid->addWidget(cteListBox, 2, 0, 1, 4);
  grid->addWidget(label("Code template", InkMemo1), 3, 0, 1, 4);
  grid->addWidget(InkMemo1, 4, 0, 1, 4);
  auto* hotKey = new QHBoxLayout();
  hotKey->addWidget(label("Hotkey", cteHotkey));
  hotKey->addWidget(cteHotkey);
  hotKey->addStretch(1);
  grid->addLayout(hotKey, 5, 0, 1, 4);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 2);
  grid->setRowStretch(2, 2);
  grid->setRowStretch(4, 3);

  connect(cteListBox, &QListWidget::currentRowChanged, this, [this] {
    if (!macroUpdating_) Guarded([this] { cteListBoxClick(); });
  });
  for (QLineEdit* b : {cteNameBox, cteDescBox}) {  // cteNameBoxChange, cteDescBoxChange
    connect(b, &QLineEdit::textChanged, this, [this] {
      if (!macroUpdating_) Guarded([this] { UpdateTemplateButtons(); });
    });
  }
  connect(CodeTemplateButton1, &QPushButton::clicked, this, [this] { Guarded([this] { CodeTemplateButton1Click(); }); });
  connect(CodeTemplateButton2, &QPushButton::clicked, this, [this] { Guarded([this] { CodeTemplateButton2Click(); }); });
  // InkMemo1Change: only a change of the text counts.
  InkMemo1->OnChange = [this](TCustomInkMemo& editor) {
    if ((editor.ReportedChangeFlags() & cfText) != 0 && !macroUpdating_ && Working() != nullptr)
      Guarded([this] { UpdateTemplateButtons(); });
  };
  // InkMemo1DataDrop
  InkMemo1->OnDataDrop = [](TCustomInkMemo&, TSourceTypes& types) { types = NarrowTemplateDrop(types); };
  return page;
}

void TOptionsDialog::FillTemplatesPage() {
  const TCodeTemplates& table = Working()->Templates();
  {
    TUpdatingBoxes updating(macroUpdating_);
    templateList_ = TemplateList(table);
    ShowMacroList(*cteListBox, templateList_, -1, InkMemo1->DisplayEncoding());
    cteHotkey->SetValue(table.HotKey);
  }
  cteListBoxClick();
}

std::string TOptionsDialog::TemplateText() const { return InkMemo1->GetText(); }

void TOptionsDialog::cteListBoxClick() {
  const int row = cteListBox->currentRow();
  const TTextEncoding encoding = InkMemo1->DisplayEncoding();
  {
    TUpdatingBoxes updating(macroUpdating_);
    const bool selected = row >= 0 && row < templateList_.Count();
    cteNameBox->setText(selected ? ShownText(encoding, templateList_[row].Name) : QString());
    cteDescBox->setText(selected ? ShownText(encoding, templateList_[row].Second) : QString());
    std::string expansion;
    if (Working()->Templates().LookupTemplate(TypedBytes(encoding, cteNameBox->text()), expansion))
      InkMemo1->SetText(expansion);
    else
      InkMemo1->Clear();
    InkMemo1->SetModified(false);
  }
  UpdateTemplateButtons();
}

void TOptionsDialog::UpdateTemplateButtons() {
  if (Working() == nullptr) return;
  const TTextEncoding encoding = InkMemo1->DisplayEncoding();
  const TEntryButtons b = TemplateButtons(templateList_, Working()->Templates(), TypedBytes(encoding, cteNameBox->text()),
                                          TypedBytes(encoding, cteDescBox->text()), TemplateText());
  CodeTemplateButton1->setEnabled(b.AddEnabled);
  CodeTemplateButton2->setEnabled(b.SecondEnabled);
  if (b.SecondChanges) {
    templateSecond_ = b.Second;
    CodeTemplateButton2->setText(SecondCaption(b.Second));
  }
}

void TOptionsDialog::CodeTemplateButton1Click() {
  const TTextEncoding encoding = InkMemo1->DisplayEncoding();
  const int32_t at = AddTemplateEntry(templateList_, Working()->Templates(), TypedBytes(encoding, cteNameBox->text()),
                                      TypedBytes(encoding, cteDescBox->text()), TemplateText());
  {
    TUpdatingBoxes updating(macroUpdating_);
    ShowMacroList(*cteListBox, templateList_, at, encoding);
  }
  cteListBoxClick();
}

void TOptionsDialog::CodeTemplateButton2Click() {
  const TTextEncoding encoding = InkMemo1->DisplayEncoding();
  const std::string n = TypedBytes(encoding, cteNameBox->text());
  TCodeTemplates& table = Working()->Templates();
  const int32_t at = templateSecond_ == TSecondAction::Delete
                         ? DeleteTemplateEntry(templateList_, table, n, cteListBox->currentRow())
                         : ReplaceTemplateEntry(templateList_, table, n, TypedBytes(encoding, cteDescBox->text()),
                                                TemplateText());
  {
    TUpdatingBoxes updating(macroUpdating_);
    ShowMacroList(*cteListBox, templateList_, at, encoding);
  }
  cteListBoxClick();
}

void TOptionsDialog::cteHotkeyExit() {
  if (Working() != nullptr) Working()->Templates().HotKey = cteHotkey->Value();
}

bool TOptionsDialog::CommitMacroBoxes() {
  bool ok = true;
  if (AutoReplActBox->isModified()) ok = Guarded([this] { AutoReplActBoxExit(); }) && ok;
  ok = Guarded([this] { cteHotkeyExit(); }) && ok;
  return ok;
}

}  // namespace ql
