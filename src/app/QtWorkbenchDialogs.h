#pragma once
// The Qt message boxes, file dialogs and desktop services behind TWorkbenchDialogs.
#include <QPointer>
#include <QWidget>

#include "app/WorkbenchDialogs.h"

namespace ql {

class TQtWorkbenchDialogs : public TWorkbenchDialogs {
public:
  // Boxes and dialogs are modal on top of parent (set once the main window exists).
  void SetParent(QWidget* parent) { parent_ = parent; }

  TAnswer Ask(const QString& title, const QString& text, bool withCancel) override;
  void ShowMessage(const QString& text) override;
  void ShowError(const QString& text) override;
  bool Execute(TFileDialog& dialog) override;
  void ShowModal(QDialog& dialog) override;
  void ShellOpen(const QString& target) override;
  bool CanShellOpen(const QString& target) override;
  bool ExecutePrint(bool hasSelection, bool& selectionOnly) override;

private:
  QPointer<QWidget> parent_;
};

}  // namespace ql
