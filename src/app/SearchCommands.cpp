// Find, Find Next and Replace of the Edit menu: they act on the shown page's editor through its
// own search, with one find and one replace dialog for the whole window.
#include "app/MainForm.h"
#include "app/QlnInkMemo.h"
#include "dialogs/QtSearchDialogs.h"
#include "editor/EditorSearch.h"
#include "services/SearchFlags.h"

namespace ql {

void TMainForm::GiveSearchDialogs(TqlnInkMemo& editor) {
  editor.Search().OnCreateSearchDialogs = [this](TCustomInkMemo& sender) {
    if (!searchDialogs_) searchDialogs_ = TQtSearchDialogs::Create(this);
    return searchDialogs_->For(sender);
  };
}

void TMainForm::bbEditFindClick() {
  if (!CurrentEditor) return;
  TEditorSearch& search = CurrentEditor->Search();
  // The dialog starts with the selection and the options of the last search.
  search.FindText(search.LastFlags() & ~srDirect, {});
}

void TMainForm::bbEditFindNextClick() {
  if (CurrentEditor) CurrentEditor->Search().FindAgain();
}

void TMainForm::bbEditReplaceClick() {
  if (!CurrentEditor) return;
  TEditorSearch& search = CurrentEditor->Search();
  search.ShowReplaceDialog(search.LastFlags() & ~srDirect);
}

}  // namespace ql
