#pragma once
// Our find and replace dialogs: modeless windows with the text to find (and in the replace
// dialog the text to put in), match case, whole word only, regular expression, the direction,
// and the buttons Find Next (Replace, Replace All) and Cancel. The buttons are handed to the
// action set by Present.
#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace ql {

struct TFindFields {
  QString Find;
  QString Replace;
  bool MatchCase = false;
  bool WholeWord = false;
  bool Down = true;
  bool Regex = false;
};

enum class TFindAction { FindNext, Replace, ReplaceAll };

class TFindReplaceDialog : public QDialog {
public:
  using TActionHandler = std::function<void(TFindAction action, const TFindFields& fields)>;

  TFindReplaceDialog(bool replace, QWidget* parent);

  // Fills the fields (the replace text only when given), shows the dialog and raises it.
  void Present(const TFindFields& fields, TActionHandler onAction);
  TFindFields Fields() const;
  // Hides the dialog and forgets its action.
  void Detach();
  bool IsReplaceDialog() const { return replace_ != nullptr; }

  QComboBox* FindBox() const { return find_; }
  QComboBox* ReplaceBox() const { return replace_; }
  QCheckBox* MatchCaseBox() const { return matchCase_; }
  QCheckBox* WholeWordBox() const { return wholeWord_; }
  QCheckBox* RegexBox() const { return regex_; }
  QRadioButton* UpButton() const { return up_; }
  QPushButton* FindNextButton() const { return findNext_; }
  QPushButton* ReplaceButton() const { return replaceOne_; }
  QPushButton* ReplaceAllButton() const { return replaceAll_; }

private:
  void Act(TFindAction action);
  void UpdateButtons();

  QComboBox* find_ = nullptr;
  QComboBox* replace_ = nullptr;  // only in the replace dialog
  QCheckBox* matchCase_ = nullptr;
  QCheckBox* wholeWord_ = nullptr;
  QCheckBox* regex_ = nullptr;
  QRadioButton* up_ = nullptr;
  QRadioButton* down_ = nullptr;
  QPushButton* findNext_ = nullptr;
  QPushButton* replaceOne_ = nullptr;
  QPushButton* replaceAll_ = nullptr;
  TActionHandler onAction_;
};

}  // namespace ql
