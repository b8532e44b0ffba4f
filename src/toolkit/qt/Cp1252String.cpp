#include "toolkit/qt/Cp1252String.h"

#include "toolkit/Cp1252.h"

namespace ql {

QString Cp1252ToQString(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char c : bytes) text.append(QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<uint8_t>(c)))));
  return text;
}

std::string QStringToCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text.at(i);
    // Characters beyond the 16-bit range are outside the table; skip both halves of the pair.
    if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
      ++i;
      continue;
    }
    uint8_t b = 0;
    if (UnicodeToCp1252(c.unicode(), b)) bytes.push_back(static_cast<char>(b));
  }
  return bytes;
}

}  // namespace ql
