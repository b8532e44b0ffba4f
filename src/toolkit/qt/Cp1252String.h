#pragma once
// Conversions between the documents' 8-bit text and Qt strings, through the Windows-1252 table.
#include <QString>
#include <string_view>

namespace ql {

QString Cp1252ToQString(std::string_view bytes);
// Characters the table cannot hold are dropped (a surrogate pair counts as one character).
std::string QStringToCp1252(const QString& text);

}  // namespace ql
