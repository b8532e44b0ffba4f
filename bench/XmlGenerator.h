#pragma once
// Seeded generator of realistic XML text (nested elements, indentation, attributes, text,
// comments, entities, processing instructions), CR LF line ends, for benchmarks.
#include <cstdint>
#include <random>
#include <string>

namespace ql::bench {

inline std::string GenerateXml(size_t bytes, uint32_t seed = 42) {
  static const char* const names[] = {"xsl:template", "xsl:value-of", "item", "record", "name", "description",
                                      "price", "catalog", "entry", "title", "author", "xsl:apply-templates"};
  static const char* const attrs[] = {"id", "match", "select", "type", "lang", "href", "mode"};
  static const char* const words[] = {"alpha", "beta", "gamma", "value", "the", "quick", "brown", "fox",
                                      "&amp;", "&lt;", "12.50", "2026", "data", "text", "node()"};
  std::mt19937 rng(seed);
  auto pick = [&](auto& arr) { return arr[rng() % (sizeof(arr) / sizeof(arr[0]))]; };
  std::string out;
  out.reserve(bytes + 256);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<catalog>\r\n";
  int depth = 1;
  std::string stack[16];
  while (out.size() < bytes) {
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    const unsigned r = rng() % 10;
    if (r < 3 && depth < 12) {
      const std::string name = pick(names);
      out += indent + "<" + name;
      for (unsigned a = rng() % 3; a > 0; --a) out += std::string(" ") + pick(attrs) + "=\"" + pick(words) + "\"";
      out += ">\r\n";
      stack[depth++] = name;
    } else if (r < 5 && depth > 1) {
      --depth;
      out += std::string(static_cast<size_t>(depth) * 2, ' ') + "</" + stack[depth] + ">\r\n";
    } else if (r == 5) {
      out += indent + "<!-- " + pick(words) + " " + pick(words) + " -->\r\n";
    } else {
      const std::string name = pick(names);
      out += indent + "<" + name + ">";
      for (unsigned w = rng() % 6 + 1; w > 0; --w) out += std::string(pick(words)) + (w > 1 ? " " : "");
      out += "</" + name + ">\r\n";
    }
  }
  while (depth > 1) {
    --depth;
    out += std::string(static_cast<size_t>(depth) * 2, ' ') + "</" + stack[depth] + ">\r\n";
  }
  out += "</catalog>\r\n";
  return out;
}

}  // namespace ql::bench
