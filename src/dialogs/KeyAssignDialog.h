#pragma once
// TKeyAssignDialog: the two-step wizard in which the user records one key pair for an editor
// command. Step 1 takes the first key, step 2 the optional second key; "Finish" on step 2
// accepts. The keys are recorded by TSM_HotKey boxes, and the pair returned is the one they
// captured.
#include <QDialog>
#include <functional>
#include <string>

#include "editor/KeyWizardSteps.h"
#include "toolkit/ShortCut.h"

class QLabel;
class QPushButton;
class QWidget;

namespace ql {

class TSM_HotKey;

class TKeyAssignDialog : public QDialog {
public:
  explicit TKeyAssignDialog(QWidget* parent = nullptr);

  // Runs the wizard for the command description; in Edit mode the boxes start with the pair
  // given, in Add mode empty. True when the user pressed "Finish": first and second then hold
  // the pair recorded (second 0 for none).
  bool Execute(ShortCutCode& first, ShortCutCode& second, TKeyWizardMode mode, const std::string& step2Text,
               const std::string& step1Text, const std::string& description);

  // Shows the dialog modally; true for "Finish". By default exec().
  std::function<bool(QDialog& dialog)> RunModal;

  int Step() const { return step_; }
  TSM_HotKey* FirstKeyBox() const { return firstBox_; }
  TSM_HotKey* SecondKeyBox() const { return secondBox_; }
  QPushButton* NextButton() const { return NextButton_; }
  QPushButton* BackButton() const { return BackButton_; }
  QPushButton* CancelButton() const { return CancelButton_; }

protected:
  void showEvent(QShowEvent* event) override;

private:
  void FormCreate();
  void FormShow();
  void GoToStep(int step);
  void UpdateButtons();
  void NextButtonClick();
  void BackButtonClick();

  TKeyWizardMode mode_ = TKeyWizardMode::kAdd;
  ShortCutCode first_ = 0, second_ = 0;
  int step_ = 1;

  QWidget* WizardPanel = nullptr;
  QWidget* Step1Panel = nullptr;
  QWidget* Step2Panel = nullptr;
  QLabel* Step1Label = nullptr;
  QLabel* Step2Label = nullptr;
  QLabel* Step1InfoLabel = nullptr;
  QLabel* Step2InfoLabel = nullptr;
  TSM_HotKey* firstBox_ = nullptr;
  TSM_HotKey* secondBox_ = nullptr;
  QPushButton* ClearKey1Button = nullptr;
  QPushButton* ClearKey2Button = nullptr;
  QWidget* ButtonPanel = nullptr;
  QPushButton* BackButton_ = nullptr;
  QPushButton* NextButton_ = nullptr;
  QPushButton* CancelButton_ = nullptr;
};

}  // namespace ql
