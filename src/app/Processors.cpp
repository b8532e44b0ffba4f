#include "app/Processors.h"

namespace ql {

const std::vector<TProcessor>& Processors() {
  static const std::vector<TProcessor> processors = {
      {"saxon", "&Saxon-HE (XSLT 3.0)", "Saxon", "saxon"},
      {"xsltproc", "&xsltproc (XSLT 1.0)", "xsltproc", "xsltproc"},
  };
  return processors;
}

const TProcessor& ProcessorById(const std::string& id) {
  for (const TProcessor& processor : Processors()) {
    if (id == processor.Id) return processor;
  }
  return Processors().front();
}

}  // namespace ql
