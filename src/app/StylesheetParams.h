#pragma once
// The top-level parameters of a stylesheet (xsl:param children of xsl:stylesheet or
// xsl:transform), read with an XML reader from at most a bounded number of bytes, so that a huge
// or broken stylesheet cannot hold the window up.
#include <QByteArray>
#include <QString>
#include <QVector>

namespace ql {

struct TStylesheetParam {
  QString Name;        // as the stylesheet writes it, prefix included
  QString ExpandedName;  // "{uri}local" when the name has a prefix; the name otherwise
  QString Default;     // the select expression, or the content's text, shortened; may be empty
  bool Required = false;
};

struct TStylesheetParams {
  QVector<TStylesheetParam> Params;
  // Why the list may be incomplete: the reader's error with its line, or that the bound was
  // reached. Empty when the whole stylesheet was read.
  QString Problem;
};

constexpr qsizetype StylesheetParamsBound = 16 * 1024 * 1024;

TStylesheetParams ReadStylesheetParams(const QByteArray& stylesheet, qsizetype bound = StylesheetParamsBound);

}  // namespace ql
