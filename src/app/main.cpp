// The program: one main window holding the XML source, the XSLT stylesheet and the Results.
#include <QApplication>
#include <QFile>
#include <QStandardPaths>

#include "app/MainForm.h"
#include "app/QtWorkbenchDialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Brevant"));
  QApplication::setApplicationName(QStringLiteral("Quillon"));

  ql::TTransformPlaces places;
  places.ProgramDir = QFile::encodeName(QApplication::applicationDirPath()).toStdString();
  places.DataDir = QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).toStdString();

  ql::TQtWorkbenchDialogs dialogs;
  ql::TMainForm form(dialogs, places);
  dialogs.SetParent(&form);
  form.show();
  return application.exec();
}
