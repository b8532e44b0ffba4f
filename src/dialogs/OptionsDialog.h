#pragma once
// TOptionsDialog: the editor property pages, a modal dialog on a parser component. The pages
// edit a working copy of the parser's settings (PropertySession.h), shown live in the dialog's
// own preview editor; OK hands the copy back to the parser, Cancel throws it away.
//
// Pages shown: Options (the option bits, indent step, wrap column, tab stops, right margin and
// gutter width), Highlighting (the styles' colours and text attributes, the fixed elements,
// the font; a click on a token of the preview selects its style's element), Key assignments
// (the key pairs of every editor command, recorded with the key pair wizard and committed to
// the working copy by OK, which a conflicting pair refuses), Auto correct (the auto-replace
// entries and the trigger keys) and Code templates (the templates, edited in the page's own
// editor, and the template hot key). The lists and buttons of the last two change the working
// tables at once; the trigger keys and the hot key are taken when their box is left, or by OK.
//
// Failures stop in the dialog: a handler's error (a number that does not convert, tab stops the
// editor refuses) is shown through ShowError and the setting stays as it was.
#include <QDialog>
#include <QPoint>
#include <functional>
#include <memory>
#include <vector>

#include "editor/KeyAssignments.h"
#include "editor/KeyWizardSteps.h"
#include "editor/MacroList.h"
#include "editor/PropertyElements.h"
#include "highlight/PropEdPages.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace ql {

class TColorDropButton;
class TCustomInkMemoParser;
class TPropertySession;
class TQtInkMemo;
class TSM_HotKey;
class TSM_Settings;
class TSpinButton;

class TOptionsDialog : public QDialog {
public:
  explicit TOptionsDialog(QWidget* parent = nullptr);
  ~TOptionsDialog() override;

  // Runs the dialog on parser with the pages asked for (those built so far: Options,
  // Highlighting, Key assignments, Auto correct and Code templates); false without showing
  // anything when none of them is asked for. True when the user closed it with OK: the parser's
  // settings then hold what the pages made.
  bool Execute(TCustomInkMemoParser& parser, TSM_PropEdPages pages);

  // Shows the dialog, and the key pair wizard it runs, modally; true for OK (for "Finish").
  // By default exec().
  std::function<bool(QDialog& dialog)> RunModal;
  // Shows a handler's error, or the conflict OK found in the key assignments; by default a
  // message box.
  std::function<void(const QString& message)> ShowError;

  // While the dialog runs: the working copy, and the preview that shows it.
  TSM_Settings* Working() const;
  TQtInkMemo* Preview() const { return FEditor; }
  QTabWidget* Pages() const { return PageControl; }
  TColorDropButton* ForegroundButton() const { return foreButton_; }
  TColorDropButton* BackgroundButton() const { return backButton_; }
  TSpinButton* GutterSpin() const { return gutterSpin_; }
  TSpinButton* MarginSpin() const { return marginSpin_; }
  // The key assignments being edited; null when the dialog is not running.
  TKeyAssignments* KeyAssignments() const { return keyAssignments_.get(); }
  // Whether the last OK found a conflicting key pair.
  bool KeyCommitFailed() const { return keyCommitFailed_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // -- OptionsDialog.cpp
  void FormCreate();
  QWidget* CreateOptionsPage();
  QWidget* CreateHighlightingPage();
  void FormShow();
  void OKButtonClick();
  // Runs a handler; an error is shown and false returned.
  bool Guarded(const std::function<void()>& handler);

  // -- OptionsPage.cpp
  void SHIFTSelectBoxClick(QCheckBox* box);
  void UpdateOptionBoxStates();
  void LeftBorderWidthBoxChange(QLineEdit* box);
  void LeftBorderWidthBoxExit(QLineEdit* box);
  void ParaSpinButtonClick(TSpinButton& spin, int step);
  void WrapColumnBoxExit();
  void IndentStepBoxExit();
  void TabColumnsBoxExit();
  void DeftabBoxExit();
  // The exits of the boxes the user changed and has not left yet (OK runs them first).
  bool CommitEditedBoxes();

  // -- KeysPage.cpp
  QWidget* CreateKeysPage();
  void FillKeysPage();
  int SelectedCommand() const;  // its index in the key assignments, or -1
  void CommandDescListBoxClick();
  void CommandKeysListBoxClick();
  void CommandKeysListBoxExit();
  void AddButtonClick();
  void EditButtonClick();
  void DeleteButtonClick();
  // Runs the key pair wizard on pair; true when the user finished it.
  bool RunKeyWizard(TKeyWizardMode mode, TKeyPair& pair);
  // Commits the key assignments; a conflict is shown and false returned.
  bool CommitKeys();

  // -- HighlightingPage.cpp
  void FillElements();
  int32_t SelectedElement() const;  // its number, or -1
  void SynElementsBoxClick();
  void ApplyColour();
  void UseDefForeBoxClick(bool foreground);
  void UseBoldBoxClick(int tag, bool on);
  void FontFamilyBoxChange();
  void FontNameBoxChange();
  void FontSizeBoxChange();
  void EditorMouseDown(QPoint point);
  // The preview applies the working settings (keeping its caret) and repaints.
  void PreviewApply();

  // -- AutoCorrectPage.cpp
  QWidget* CreateAutoCorrectPage();
  void FillAutoCorrectPage();
  void AutoReplBoxClick();
  void UpdateAutoReplButtons();
  void AutoReplButton1Click();
  void AutoReplButton2Click();
  void AutoReplActBoxExit();
  // Shows the list with entry select selected and fills the working table from it.
  void AutoReplListChanged(int32_t select);

  // -- TemplatesPage.cpp
  QWidget* CreateTemplatesPage();
  void FillTemplatesPage();
  void cteListBoxClick();
  void UpdateTemplateButtons();
  void CodeTemplateButton1Click();
  void CodeTemplateButton2Click();
  void cteHotkeyExit();
  // The template editor's text (its selection stays).
  std::string TemplateText() const;
  // The boxes of both pages that are taken on leaving them, for OK while one still has the focus.
  bool CommitMacroBoxes();

  TCustomInkMemoParser* parser_ = nullptr;
  TPropertySession* session_ = nullptr;
  TSM_PropEdPages pages_;
  std::vector<TStyleElement> elements_;
  QPoint lastPreviewClick_{0, 0};
  bool updating_ = false;
  std::unique_ptr<TKeyAssignments> keyAssignments_;
  TKeyPair selectedPair_;
  bool keyCommitFailed_ = false;

  QTabWidget* PageControl = nullptr;
  QWidget* OptionsPage = nullptr;
  QWidget* HighlightingPage = nullptr;
  std::vector<QCheckBox*> optionBoxes_;  // in the order of OptionBoxes()
  QLineEdit* IndentStepBox = nullptr;
  QLineEdit* WrapColumnBox = nullptr;
  QLineEdit* TabColumnsBox = nullptr;
  QLineEdit* DeftabBox = nullptr;
  QLineEdit* RightMarginBox = nullptr;
  QLineEdit* GutterWidthBox = nullptr;
  TSpinButton* gutterSpin_ = nullptr;
  TSpinButton* marginSpin_ = nullptr;
  QLineEdit* LangNameBox = nullptr;
  QListWidget* SynElementsBox = nullptr;
  QComboBox* FontNameBox = nullptr;
  QComboBox* FontSizeBox = nullptr;
  QComboBox* FontFamilyBox = nullptr;
  TColorDropButton* foreButton_ = nullptr;
  TColorDropButton* backButton_ = nullptr;
  QCheckBox* UseBoldBox = nullptr;
  QCheckBox* UseItalicBox = nullptr;
  QCheckBox* UseUnderlineBox = nullptr;
  QCheckBox* UseDefForeBox = nullptr;
  QCheckBox* UseDefBackBox = nullptr;
  TQtInkMemo* FEditor = nullptr;
  QWidget* KeysPage = nullptr;
  QListWidget* CommandDescListBox = nullptr;
  QListWidget* CommandKeysListBox = nullptr;
  QPushButton* AddButton = nullptr;
  QPushButton* EditButton = nullptr;
  QPushButton* DeleteButton = nullptr;

  QWidget* AutoCorrectPage = nullptr;
  QLineEdit* ReplaceBox = nullptr;
  QLineEdit* WithBox = nullptr;
  QLineEdit* AutoReplActBox = nullptr;
  QPushButton* AutoReplButton1 = nullptr;
  QPushButton* AutoReplButton2 = nullptr;
  QListWidget* AutoReplBox = nullptr;
  TMacroList autoReplList_;
  TSecondAction autoReplSecond_ = TSecondAction::Replace;

  QWidget* TemplatesPage = nullptr;
  QLineEdit* cteNameBox = nullptr;
  QLineEdit* cteDescBox = nullptr;
  QPushButton* CodeTemplateButton1 = nullptr;
  QPushButton* CodeTemplateButton2 = nullptr;
  QListWidget* cteListBox = nullptr;
  TQtInkMemo* InkMemo1 = nullptr;
  TSM_HotKey* cteHotkey = nullptr;
  TMacroList templateList_;
  TSecondAction templateSecond_ = TSecondAction::Replace;
  // The boxes or lists of the two pages are being set by the dialog, not by the user.
  bool macroUpdating_ = false;

  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace ql
