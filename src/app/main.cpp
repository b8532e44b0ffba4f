// The program: one main window holding the XML source, the XSLT stylesheet and the Results.
#include <QApplication>
#include <QFile>
#include <QStandardPaths>

#include "app/MainForm.h"
#include "app/QtWorkbenchDialogs.h"
#include "editor/qt/EventBoundary.h"
#include "toolkit/qt/QtFontFactory.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  ql::InstallQtFontFactory();  // before any settings object exists
  QApplication::setOrganizationName(QStringLiteral("Brevant"));
  QApplication::setApplicationName(QStringLiteral("Quillon"));

  ql::TTransformPlaces places;
  places.ProgramDir = QFile::encodeName(QApplication::applicationDirPath()).toStdString();
  places.DataDir = QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).toStdString();

  ql::TQtWorkbenchDialogs dialogs;
  ql::TMainForm form(dialogs, places);
  dialogs.SetParent(&form);
  // Failures inside the editors' event handlers and the editors' own messages show as the
  // window's do.
  ql::SetEventFailureHandler([&dialogs](const std::string& message) { dialogs.ShowError(QString::fromStdString(message)); });
  ql::SetUserMessageHandler([&dialogs](const std::string& message) { dialogs.ShowMessage(QString::fromStdString(message)); });
  form.show();
  return application.exec();
}
