#pragma once
// The stored parser of the XML highlighting definition the program ships with (the main
// window's XMLParser loads it at start-up), compiled from resources/xml/xml.hls when the
// program is built.
#include <string_view>

namespace ql {

std::string_view XmlDefinitionStoredForm();

}  // namespace ql
