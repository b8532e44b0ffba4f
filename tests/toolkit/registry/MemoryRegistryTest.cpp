#include "RegistryCases.h"
#include "toolkit/MemoryRegistry.h"

namespace ql {
namespace {

INSTANTIATE_TEST_SUITE_P(Memory, RegistryCases,
                         ::testing::Values(TRegistryFactory([] { return std::make_unique<TMemoryRegistry>(); })));

TEST(DefaultRegistry, IsInMemoryUntilOneIsInstalled) {
  TMemoryRegistry mine;
  SetDefaultRegistry(&mine);
  EXPECT_EQ(&DefaultRegistry(), &mine);
  SetDefaultRegistry(nullptr);
  EXPECT_NE(dynamic_cast<TMemoryRegistry*>(&DefaultRegistry()), nullptr);
}

}  // namespace
}  // namespace ql
