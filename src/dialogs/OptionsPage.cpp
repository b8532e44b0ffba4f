// The Options page: option bits, indent step, wrap column, tab stops, right margin and gutter.
#include <QCheckBox>
#include <QLineEdit>
#include <functional>

#include "dialogs/OptionsDialog.h"
#include "dialogs/SpinButton.h"
#include "editor/GutterWidth.h"
#include "editor/PropertyOptions.h"
#include "editor/qt/QtInkMemo.h"
#include "services/SM_Settings.h"
#include "toolkit/IntegerText.h"

namespace ql {

namespace {
constexpr int32_t kMaxRightMargin = 199;

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

// Gives the number in box to the preview (set), then shows the value the preview reports (get)
// and keeps it in the working settings' field. Text that is no number raises EConvertError.
void ApplyNumber(QLineEdit* box, const std::function<void(int32_t)>& set, const std::function<int32_t()>& get,
                 int32_t& field) {
  box->setModified(false);
  set(StrToInt(Text(box)));
  field = get();
  box->setText(QString::number(field));
}
}  // namespace

void TOptionsDialog::SHIFTSelectBoxClick(QCheckBox* box) {
  const uint32_t bit = box->property("tag").toUInt();
  const uint32_t word = WithOptionBit(Working()->Options, bit, box->isChecked());
  Working()->Options = word;
  FEditor->Perform(SMM_OPTIONS, smmSet, static_cast<LPARAM>(word));
  UpdateOptionBoxStates();
}

void TOptionsDialog::UpdateOptionBoxStates() {
  const uint32_t word = Working()->Options;
  for (QCheckBox* box : optionBoxes_) {
    box->setChecked((word & box->property("tag").toUInt()) != 0);
    if (box->objectName() == "TabColBox") box->setEnabled(SmartTabEnabled(word));
    if (box->objectName() == "CursorAfterEOLBox") box->setEnabled(FEditor->FixedPitch());
  }
}

// Applies a number as it is typed, when the editor's rule accepts it; otherwise the text stays
// as typed (the user may be half way through a number) until the box is left.
void TOptionsDialog::LeftBorderWidthBoxChange(QLineEdit* box) {
  const std::optional<int32_t> value = TryStrToInt(Text(box));
  if (!value) return;
  if (box == GutterWidthBox) {
    if (!GutterWidthAccepted(*value, FEditor->ClientWidth())) return;
    FEditor->SetGutter(*value);
    Working()->Gutter = FEditor->GetGutter();
  } else {
    if (*value < 0 || *value > kMaxRightMargin) return;
    FEditor->SetRightMargin(*value);
    Working()->RightMargin = FEditor->GetRightMargin();
  }
}

// On leaving, the box shows the value in force.
void TOptionsDialog::LeftBorderWidthBoxExit(QLineEdit* box) {
  if (Working() == nullptr) return;
  box->setText(QString::number(box == GutterWidthBox ? FEditor->GetGutter() : FEditor->GetRightMargin()));
  box->setModified(false);
}

void TOptionsDialog::ParaSpinButtonClick(TSpinButton& spin, int step) {
  QLineEdit* box = spin.Tag == 1 ? GutterWidthBox : RightMarginBox;
  const std::optional<int32_t> typed = TryStrToInt(Text(box));
  int32_t value;
  if (spin.Tag == 1) {
    value = StepGutterWidth(typed.value_or(FEditor->GetGutter()), step, FEditor->ClientWidth());
  } else if (!typed) {
    value = 1;
  } else {
    value = step > 0 ? (*typed >= kMaxRightMargin ? *typed : *typed + 1) : (*typed <= 0 ? *typed : *typed - 1);
    value = std::clamp(value, 0, kMaxRightMargin);
  }
  box->setText(QString::number(value));
  LeftBorderWidthBoxChange(box);
  box->setModified(false);
}

void TOptionsDialog::WrapColumnBoxExit() {
  if (Working() == nullptr) return;
  ApplyNumber(
      WrapColumnBox, [this](int32_t v) { FEditor->SetWrapAtColumn(v); }, [this] { return FEditor->GetWrapAtColumn(); },
      Working()->WrapAtColumn);
}

void TOptionsDialog::IndentStepBoxExit() {
  if (Working() == nullptr) return;
  ApplyNumber(
      IndentStepBox, [this](int32_t v) { FEditor->SetIndentStep(v); }, [this] { return FEditor->GetIndentStep(); },
      Working()->IndentStep);
}

void TOptionsDialog::TabColumnsBoxExit() {
  if (Working() == nullptr) return;
  TabColumnsBox->setModified(false);
  const std::string before = FEditor->GetTabColumns();
  try {
    FEditor->SetTabColumns(Text(TabColumnsBox));
  } catch (...) {
    FEditor->SetTabColumns(before);
    TabColumnsBox->setText(QString::fromUtf8(before.c_str()));
    throw;
  }
}

void TOptionsDialog::DeftabBoxExit() {
  if (Working() == nullptr) return;
  DeftabBox->setModified(false);
  const int32_t before = FEditor->GetTabDefault();
  try {
    FEditor->SetTabDefault(StrToInt(Text(DeftabBox)));
  } catch (...) {
    DeftabBox->setText(QString::number(before));
    throw;
  }
}

bool TOptionsDialog::CommitEditedBoxes() {
  bool ok = true;
  if (WrapColumnBox->isModified()) ok = Guarded([this] { WrapColumnBoxExit(); }) && ok;
  if (IndentStepBox->isModified()) ok = Guarded([this] { IndentStepBoxExit(); }) && ok;
  if (TabColumnsBox->isModified()) ok = Guarded([this] { TabColumnsBoxExit(); }) && ok;
  if (DeftabBox->isModified()) ok = Guarded([this] { DeftabBoxExit(); }) && ok;
  return ok;
}

}  // namespace ql
