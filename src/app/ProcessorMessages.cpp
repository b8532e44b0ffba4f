#include "app/ProcessorMessages.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace ql {
namespace {

// A path as a URI writes it: bytes other than unreserved characters and "/" as %XX.
std::string PercentEncoded(const std::string& path) {
  static const char* const hex = "0123456789ABCDEF";
  std::string encoded;
  for (const unsigned char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += hex[c >> 4];
      encoded += hex[c & 15];
    }
  }
  return encoded;
}

std::string BareName(const std::string& fullName) {
  const size_t slash = fullName.rfind('/');
  return slash == std::string::npos ? fullName : fullName.substr(slash + 1);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty() || from == to) return;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// The names of the documents in every form, each with its document, longest first so that a
// full name wins over the bare name it ends with.
struct TForm {
  std::string Text;
  int32_t Document;
};

std::vector<TForm> FormsOf(const std::vector<std::string>& documents) {
  std::vector<TForm> forms;
  for (size_t d = 0; d < documents.size(); ++d) {
    if (documents[d].empty()) continue;
    for (std::string& form : NameForms(documents[d])) forms.push_back({std::move(form), static_cast<int32_t>(d)});
  }
  std::stable_sort(forms.begin(), forms.end(),
                   [](const TForm& a, const TForm& b) { return a.Text.size() > b.Text.size(); });
  return forms;
}

// Reads the message line from at; each step fails without moving when its text is not there.
class TReader {
public:
  TReader(const std::string& line, size_t at) : line_(line), at_(at) {}
  size_t At() const { return at_; }

  bool Text(const char* text) {
    const std::string_view want(text);
    if (line_.compare(at_, want.size(), want) != 0) return false;
    at_ += want.size();
    return true;
  }
  bool Number(int32_t& value) {
    size_t end = at_;
    int64_t n = 0;
    while (end < line_.size() && line_[end] >= '0' && line_[end] <= '9' && end - at_ < 10) {
      n = n * 10 + (line_[end] - '0');
      ++end;
    }
    if (end == at_ || n <= 0 || n > std::numeric_limits<int32_t>::max()) return false;
    value = static_cast<int32_t>(n);
    at_ = end;
    return true;
  }
  bool Name(const std::vector<TForm>& forms, int32_t& document) {
    for (const TForm& form : forms) {
      if (line_.compare(at_, form.Text.size(), form.Text) == 0) {
        document = form.Document;
        at_ += form.Text.size();
        return true;
      }
    }
    return false;
  }

private:
  const std::string& line_;
  size_t at_;
};

// "line N[ column M] of FILE" with the reader just after "line ".
bool LineOfFile(TReader r, const std::vector<TForm>& forms, TMessagePlace& place) {
  if (!r.Number(place.Line)) return false;
  place.Column = 0;
  if (r.Text(" column ") && !r.Number(place.Column)) return false;
  return r.Text(" of ") && r.Name(forms, place.Document);
}

bool FindPlace(const std::string& line, const std::vector<TForm>& forms, TMessagePlace& place) {
  const size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos) return false;
  // xsltproc: FILE:N: at the start of the line.
  {
    TReader r(line, first);
    if (r.Name(forms, place.Document) && r.Text(":") && r.Number(place.Line) && r.Text(":")) {
      place.Column = 0;
      return true;
    }
  }
  // Saxon: "on line N column M of FILE", "at line N of FILE".
  for (size_t at = line.find("line "); at != std::string::npos; at = line.find("line ", at + 1)) {
    if (at > 0 && line[at - 1] != ' ') continue;
    if (LineOfFile(TReader(line, at + 5), forms, place)) return true;
  }
  // xsltproc: "file FILE line N".
  for (size_t at = line.find("file "); at != std::string::npos; at = line.find("file ", at + 1)) {
    TReader r(line, at + 5);
    if (r.Name(forms, place.Document) && r.Text(" line ") && r.Number(place.Line)) {
      place.Column = 0;
      return true;
    }
  }
  // Saxon's report of the XML parser: "systemId: FILE; lineNumber: N; columnNumber: M;".
  if (const size_t at = line.find("systemId: "); at != std::string::npos) {
    TReader r(line, at + 10);
    if (r.Name(forms, place.Document) && r.Text("; lineNumber: ") && r.Number(place.Line)) {
      place.Column = 0;
      if (r.Text("; columnNumber: ")) r.Number(place.Column);
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<std::string> NameForms(const std::string& fullName) {
  std::vector<std::string> forms = {fullName, "file:" + fullName, "file://" + fullName};
  const std::string encoded = PercentEncoded(fullName);
  if (encoded != fullName) {
    forms.push_back("file:" + encoded);
    forms.push_back("file://" + encoded);
  }
  const std::string bare = BareName(fullName);
  if (!bare.empty() && bare != fullName) forms.push_back(bare);
  std::stable_sort(forms.begin(), forms.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  return forms;
}

std::string NameOriginals(std::string text, const std::vector<TCopyName>& copies) {
  for (const TCopyName& copy : copies) {
    // A plain file: URI holds the full name, so replacing the full name mends it too; the
    // bare name goes last, once no full name of the copy is left.
    ReplaceAll(text, PercentEncoded(copy.Copy), PercentEncoded(copy.Original));
    ReplaceAll(text, copy.Copy, copy.Original);
    ReplaceAll(text, BareName(copy.Copy), BareName(copy.Original));
  }
  return text;
}

std::vector<TMessagePlace> FindMessagePlaces(const std::string& text, const std::vector<std::string>& documents) {
  std::vector<TMessagePlace> places;
  const std::vector<TForm> forms = FormsOf(documents);
  if (forms.empty()) return places;
  int32_t row = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    TMessagePlace place;
    if (FindPlace(line, forms, place)) {
      place.Row = row;
      const size_t first = line.find_first_not_of(" \t");
      place.Start = static_cast<int32_t>(first);
      place.Length = static_cast<int32_t>(line.size() - first);
      places.push_back(place);
    }
    if (end == text.size()) break;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    ++row;
  }
  return places;
}

}  // namespace ql
