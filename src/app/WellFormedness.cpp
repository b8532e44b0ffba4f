#include "app/WellFormedness.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace ql {
namespace {

// Only the first error counts; warnings (an entity left to an external DTD) do not.
void KeepFirstError(void* context, xmlErrorPtr error) {
  auto* result = static_cast<TWellFormedness*>(static_cast<xmlParserCtxtPtr>(context)->_private);
  if (!result->WellFormed || error->level < XML_ERR_ERROR || error->code == XML_WAR_UNDECLARED_ENTITY) return;
  result->WellFormed = false;
  result->Line = error->line > 0 ? error->line : 0;
  result->Column = error->int2 > 0 ? error->int2 : 0;
  std::string message = error->message ? error->message : "not well-formed";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  result->Message = std::move(message);
}

// The parser's own bookkeeping for entities and the DTD's internal subset stays; everything that
// would build a tree or report content is left out, which is what makes the check fast.
xmlSAXHandler CheckingHandler() {
  xmlSAXHandler sax;
  std::memset(&sax, 0, sizeof sax);
  xmlSAXVersion(&sax, 2);
  sax.startElementNs = nullptr;
  sax.endElementNs = nullptr;
  sax.startElement = nullptr;
  sax.endElement = nullptr;
  sax.characters = nullptr;
  sax.ignorableWhitespace = nullptr;
  sax.cdataBlock = nullptr;
  sax.comment = nullptr;
  sax.processingInstruction = nullptr;
  sax.reference = nullptr;
  sax.warning = nullptr;
  sax.error = nullptr;
  sax.fatalError = nullptr;
  sax.serror = KeepFirstError;
  return sax;
}

struct TSource {
  const char* Bytes;
  size_t Left;
};

int ReadSource(void* context, char* buffer, int length) {
  auto* source = static_cast<TSource*>(context);
  const size_t n = std::min(source->Left, static_cast<size_t>(length > 0 ? length : 0));
  std::memcpy(buffer, source->Bytes, n);
  source->Bytes += n;
  source->Left -= n;
  return static_cast<int>(n);
}

struct TContextFree {
  void operator()(xmlParserCtxtPtr context) const {
    if (context->myDoc) xmlFreeDoc(context->myDoc);
    context->myDoc = nullptr;
    xmlFreeParserCtxt(context);
  }
};

// Reports the parser makes outside the handler (of the encoding converter) go nowhere: the check
// says what it found itself, and standard error belongs to the user.
void Silent(void*, const char*, ...) {}

}  // namespace

TWellFormedness CheckWellFormed(const char* bytes, size_t size) {
  static const bool initialised = (xmlInitParser(), xmlSetGenericErrorFunc(nullptr, Silent), true);
  (void)initialised;
  TWellFormedness result;
  xmlSAXHandler sax = CheckingHandler();
  // The parser reads through a callback, so a text of any size is read in place.
  TSource source{bytes, size};
  std::unique_ptr<xmlParserCtxt, TContextFree> context(
      xmlCreateIOParserCtxt(&sax, nullptr, ReadSource, nullptr, &source, XML_CHAR_ENCODING_NONE));
  if (!context) {
    result.WellFormed = false;
    result.Message = "the XML parser could not be started";
    return result;
  }
  context->_private = &result;
  xmlCtxtUseOptions(context.get(), XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_NOWARNING);
  xmlParseDocument(context.get());
  if (result.WellFormed && !context->wellFormed) {
    // Not reported through the handler (no such case is known): say so all the same.
    result.WellFormed = false;
    result.Line = context->input && context->input->line > 0 ? context->input->line : 1;
    result.Message = "not well-formed";
  }
  return result;
}

}  // namespace ql
