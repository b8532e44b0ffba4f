#pragma once
// Everything the main window asks of the user or hands to the desktop goes through this
// interface: message boxes, the open and save dialogs, modal windows and the shell. The program
// uses the Qt implementation; tests script the answers.
#include <QString>

class QDialog;

namespace ql {

enum class TAnswer { Yes, No, Cancel };

// The state of an open or save dialog, kept between uses as a dialog component keeps it.
struct TFileDialog {
  QString Title;
  // Pairs of description and pattern: "XML Files (*.xml)|*.xml|All Files (*.*)|*.*".
  QString Filter;
  int FilterIndex = 1;  // counted from 1; the dialog writes back the filter the user chose
  QString FileName;     // in: the name to propose; out: the full name the user chose
  bool SaveMode = false;
};

class TWorkbenchDialogs {
public:
  virtual ~TWorkbenchDialogs() = default;

  // A question with the information icon: Yes, No and (withCancel) Cancel. Closing the box
  // answers Cancel, or No when there is no Cancel.
  virtual TAnswer Ask(const QString& title, const QString& text, bool withCancel) = 0;
  // A plain message box captioned with the application's title.
  virtual void ShowMessage(const QString& text) = 0;
  // The application's error box: the message of a failed command.
  virtual void ShowError(const QString& text) = 0;
  // Runs a file dialog; true when the user confirmed a name.
  virtual bool Execute(TFileDialog& dialog) = 0;
  // Shows a dialog modally until the user closes it.
  virtual void ShowModal(QDialog& dialog) = 0;
  // Opens a file or address with the desktop's associated program; failures show nothing.
  virtual void ShellOpen(const QString& target) = 0;
  // Whether the desktop has a program to open the target with (a browser for a page).
  virtual bool CanShellOpen(const QString& /*target*/) { return true; }
  // The print dialog on the program's printer; true when the user chose to print, with
  // selectionOnly set when only the selection is to be printed.
  virtual bool ExecutePrint(bool /*hasSelection*/, bool& /*selectionOnly*/) { return false; }
};

}  // namespace ql
