#include "app/StylesheetParams.h"

#include <QHash>
#include <QLocale>
#include <QXmlStreamReader>

namespace ql {
namespace {

const QLatin1String kXslt("http://www.w3.org/1999/XSL/Transform");

// The namespace a prefix stands for at the current element, from the declarations seen on the
// way down (the root's and the param's own are all a top-level name can use).
class TScopes {
public:
  void Enter(const QXmlStreamNamespaceDeclarations& declarations) {
    scopes_.append(scopes_.isEmpty() ? QHash<QString, QString>() : scopes_.last());
    for (const QXmlStreamNamespaceDeclaration& d : declarations) scopes_.last().insert(d.prefix().toString(), d.namespaceUri().toString());
  }
  void Leave() {
    if (!scopes_.isEmpty()) scopes_.removeLast();
  }
  QString Expanded(const QString& name) const {
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    if (colon < 0 || scopes_.isEmpty()) return name;
    const QString uri = scopes_.last().value(name.left(colon));
    return uri.isEmpty() ? name : QStringLiteral("{%1}%2").arg(uri, name.mid(colon + 1));
  }

private:
  QVector<QHash<QString, QString>> scopes_;
};

QString Shortened(QString text) {
  text = text.simplified();
  if (text.size() > 60) text = text.left(57) + QStringLiteral("...");
  return text;
}

}  // namespace

TStylesheetParams ReadStylesheetParams(const QByteArray& stylesheet, qsizetype bound) {
  TStylesheetParams result;
  const bool cut = stylesheet.size() > bound;
  QXmlStreamReader reader;
  reader.addData(cut ? stylesheet.left(bound) : stylesheet);
  TScopes scopes;
  int depth = 0;
  bool stylesheetRoot = false;
  TStylesheetParam* param = nullptr;  // the top-level param being read
  QString content;
  while (!reader.atEnd()) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::StartElement) {
      ++depth;
      scopes.Enter(reader.namespaceDeclarations());
      const bool xslt = reader.namespaceUri() == kXslt;
      if (depth == 1) {
        stylesheetRoot = xslt && (reader.name() == QLatin1String("stylesheet") || reader.name() == QLatin1String("transform"));
        if (!stylesheetRoot) break;  // a simplified stylesheet has no parameters
      } else if (depth == 2 && xslt && reader.name() == QLatin1String("param")) {
        const QXmlStreamAttributes attributes = reader.attributes();
        TStylesheetParam p;
        p.Name = attributes.value(QLatin1String("name")).toString().trimmed();
        p.ExpandedName = scopes.Expanded(p.Name);
        p.Default = Shortened(attributes.value(QLatin1String("select")).toString());
        const QString required = attributes.value(QLatin1String("required")).toString().trimmed();
        p.Required = required == QLatin1String("yes") || required == QLatin1String("true") || required == QLatin1String("1");
        if (!p.Name.isEmpty()) {
          result.Params.append(p);
          if (p.Default.isEmpty()) param = &result.Params.last();
          content.clear();
        }
      }
    } else if (token == QXmlStreamReader::EndElement) {
      if (depth == 2 && param) {
        param->Default = Shortened(content);
        param = nullptr;
      }
      scopes.Leave();
      if (--depth == 0) break;
    } else if (token == QXmlStreamReader::Characters && param && content.size() < 1000) {
      content += reader.text();
    }
  }
  if (reader.hasError()) {
    if (cut && reader.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
      result.Problem = QStringLiteral("Only the first %1 of the stylesheet were read.").arg(QLocale::c().formattedDataSize(bound));
    } else {
      result.Problem = QStringLiteral("The stylesheet is not well-formed (line %1, column %2: %3); the list may be incomplete.")
                           .arg(reader.lineNumber())
                           .arg(reader.columnNumber())
                           .arg(reader.errorString());
    }
  }
  return result;
}

}  // namespace ql
