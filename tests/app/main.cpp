// Runs the window tests on Qt's offscreen platform (unless a display is chosen) with the user's
// configuration and data folders in a temporary folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform remarks on every window it sizes; the rest is passed on.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
  defaultHandler = qInstallMessageHandler(QuietHandler);
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Brevant"));
  QApplication::setApplicationName(QStringLiteral("Quillon"));
  return RUN_ALL_TESTS();
}
