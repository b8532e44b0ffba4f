// The program: one main window holding the XML source, the XSLT stylesheet and the Results.
// quillon [--help | --version] [FILE...]: files open at start as if dropped on the window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdio>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/ProgramArguments.h"
#include "app/QtWorkbenchDialogs.h"
#include "editor/qt/EventBoundary.h"
#include "toolkit/qt/QtFontFactory.h"

namespace {

std::string ProgramName(const char* argv0) {
  const std::string name = argv0 ? argv0 : "quillon";
  const size_t slash = name.rfind('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr);
  // --help and --version answer on standard output without a window, so they work without a
  // display too.
  {
    const ql::TProgramArguments early = ql::ParseProgramArguments(std::vector<std::string>(argv + 1, argv + argc), "/");
    if (early.Help || early.Version) {
      const std::string text = early.Help ? ql::ProgramUsage(program) : ql::ProgramVersion();
      std::fwrite(text.data(), 1, text.size(), stdout);
      return std::fflush(stdout) == 0 ? 0 : 1;
    }
  }

  QApplication application(argc, argv);
  ql::InstallQtFontFactory();  // before any settings object exists
  QApplication::setOrganizationName(QStringLiteral("Brevant"));
  QApplication::setApplicationName(QStringLiteral("Quillon"));

  // Qt has taken its own options (-platform, -style ...) out of the list by now.
  std::vector<std::string> arguments;
  const QStringList given = QApplication::arguments();
  for (qsizetype i = 1; i < given.size(); ++i) arguments.push_back(QFile::encodeName(given[i]).toStdString());
  const ql::TProgramArguments parsed =
      ql::ParseProgramArguments(arguments, QFile::encodeName(QDir::currentPath()).toStdString());
  if (!parsed.Error.empty()) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", program.c_str(), parsed.Error.c_str(),
                 program.c_str());
    return 2;
  }

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
  form.OpenFiles(parsed.Files);
  return application.exec();
}
