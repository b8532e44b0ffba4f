#pragma once
// Checks that a document is well-formed XML (namespaces included) with a real XML parser,
// without running anything: no DTD is fetched and nothing is validated, so a DOCTYPE naming a
// DTD on the network is fine, and so are entities that only such a DTD declares.
#include <cstddef>
#include <cstdint>
#include <string>

namespace ql {

struct TWellFormedness {
  bool WellFormed = true;
  // The first error: where it is (both from 1; column 0 when unknown) and what it is.
  int32_t Line = 0;
  int32_t Column = 0;
  std::string Message;
};

// Checks bytes as an XML document; the encoding is the one the document declares or UTF-8.
TWellFormedness CheckWellFormed(const char* bytes, size_t size);
inline TWellFormedness CheckWellFormed(const std::string& bytes) { return CheckWellFormed(bytes.data(), bytes.size()); }

}  // namespace ql
