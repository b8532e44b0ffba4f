# Writes OUTPUT, a C++ source defining XmlDefinitionStoredForm() over the bytes of INPUT.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],0x[0-9a-f][0-9a-f],)" "\\1\n  " bytes "${bytes}")
file(WRITE ${OUTPUT}.new
"// Generated from resources/xml/xml.hls by quillon-hlc at build time; do not edit.
#include \"highlight/xmldef/XmlDefinition.h\"

namespace ql {
namespace {

const unsigned char kStoredForm[${size}] = {
  ${bytes}
};

}  // namespace

std::string_view XmlDefinitionStoredForm() {
  return std::string_view(reinterpret_cast<const char*>(kStoredForm), sizeof kStoredForm);
}

}  // namespace ql
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
