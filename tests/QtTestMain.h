#pragma once
// The main() of a test program that needs Qt widgets: Qt's offscreen platform unless a display
// is chosen, and the user's configuration in a temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

namespace qt_test_main {
inline QtMessageHandler defaultHandler = nullptr;
// The offscreen platform remarks on every window it sizes; the rest is passed on.
inline void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  defaultHandler(type, context, message);
}
}  // namespace qt_test_main

inline int RunQtTests(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
  qt_test_main::defaultHandler = qInstallMessageHandler(qt_test_main::QuietHandler);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
