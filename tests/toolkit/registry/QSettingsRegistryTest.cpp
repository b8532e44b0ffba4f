// The registry cases on QSettings, with the configuration folder in a temporary folder.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "RegistryCases.h"
#include "toolkit/qt/QSettingsRegistry.h"

namespace ql {
namespace {

QString configHome;

INSTANTIATE_TEST_SUITE_P(QSettings, RegistryCases,
                         ::testing::Values(TRegistryFactory([] { return std::make_unique<TQSettingsRegistry>(); })));

TEST(QSettingsRegistry, WritesTheOrganisationsFileWithOneGroupPerSubkey) {
  TQSettingsRegistry registry;
  ASSERT_TRUE(registry.OpenKey("Software\\Brevant\\Quillon", true));
  registry.WriteString("Highlighting - XML", "Harlix6:#END#");
  registry.OpenKey("Software\\Brevant\\Quillon\\Sub/Key", true);
  registry.WriteString("name", "value");
  registry.CloseKey();

  QFile file(configHome + "/Brevant/Quillon.conf");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  EXPECT_TRUE(text.contains("Harlix6:#END#")) << text.constData();
  EXPECT_TRUE(text.contains("[Sub%252FKey]")) << text.constData();  // "/" escaped, then "%" by QSettings
}

}  // namespace
}  // namespace ql

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QTemporaryDir home;
  ql::configHome = home.path() + "/config";
  qputenv("XDG_CONFIG_HOME", ql::configHome.toLocal8Bit());
  return RUN_ALL_TESTS();
}
