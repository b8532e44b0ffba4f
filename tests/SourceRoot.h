#pragma once
// The source tree's root for tests that read files of the tree: from QUILLON_TEST_DATA (its
// tests/data folder, set by CTest) when given, else from this header's own path. A compiler
// cache may record file names relative to the build folder, so __FILE__ alone is not enough.
#include <cstdlib>
#include <filesystem>

namespace ql::test {

inline std::filesystem::path SourceRoot() {
  if (const char* data = std::getenv("QUILLON_TEST_DATA")) return std::filesystem::path(data).parent_path().parent_path();
  return std::filesystem::absolute(std::filesystem::path(__FILE__)).parent_path().parent_path();
}

}  // namespace ql::test
