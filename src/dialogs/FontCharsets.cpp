#include "dialogs/FontCharsets.h"

#include <QFontDatabase>

namespace ql {

namespace {
QFontDatabase::WritingSystem WritingSystemOf(uint8_t charset) {
  switch (charset) {
    case 0: case 77: case 162: case 186: case 238: return QFontDatabase::Latin;
    case 2: return QFontDatabase::Symbol;
    case 128: return QFontDatabase::Japanese;
    case 129: case 130: return QFontDatabase::Korean;
    case 134: return QFontDatabase::SimplifiedChinese;
    case 136: return QFontDatabase::TraditionalChinese;
    case 161: return QFontDatabase::Greek;
    case 177: return QFontDatabase::Hebrew;
    case 178: return QFontDatabase::Arabic;
    case 204: return QFontDatabase::Cyrillic;
    case 222: return QFontDatabase::Thai;
    default: return QFontDatabase::Any;  // 1 (default) and 255 (OEM)
  }
}
}  // namespace

const std::array<TFontCharset, 18>& FontCharsets() {
  static const std::array<TFontCharset, 18> sets{{
      {"ANSI", 0},         {"Arabic", 178},   {"Baltic", 186},  {"Chinese Big5", 136}, {"Default", 1},
      {"East Europe", 238}, {"GB2312", 134},  {"Greek", 161},   {"Hangeul", 129},      {"Hebrew", 177},
      {"Johab", 130},      {"MAC", 77},       {"OEM", 255},     {"Russian", 204},      {"SHIFTJIS", 128},
      {"Symbol", 2},       {"Thai", 222},     {"Turkish", 162},
  }};
  return sets;
}

QStringList FontFaces(uint8_t charset) {
  const QStringList families = QFontDatabase::families(WritingSystemOf(charset));
  QStringList faces;
  for (const QString& family : families) {
    if (!faces.isEmpty() && faces.last().compare(family, Qt::CaseInsensitive) == 0) continue;
    faces.append(family);
  }
  faces.sort(Qt::CaseInsensitive);
  return faces;
}

}  // namespace ql
