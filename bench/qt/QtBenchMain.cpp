// The main() of the Qt benchmark programs: Qt's offscreen platform unless another is asked for,
// one application, the Qt font factory, then the benchmarks.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "toolkit/qt/QtFontFactory.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ql::InstallQtFontFactory();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
