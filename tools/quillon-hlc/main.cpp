// quillon-hlc: the highlighting definition tool.
//   quillon-hlc SCRIPT -o FILE       compile a script into a stored parser
//   quillon-hlc --dump FILE          print a stored parser as tables
//   quillon-hlc --scan FILE TEXT     print the token runs the definition gives for a text file
//   quillon-hlc --html FILE TEXT     write a text, highlighted with the definition, as HTML
//   quillon-hlc --rtf FILE TEXT      the same as RTF
// Exit status: 0 done, 1 the script, stored parser or text could not be used, 2 bad arguments.
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "Dump.h"
#include "highlight/CompiledTables.h"
#include "highlight/InkMemoParser.h"
#include "highlight/ParserStoredForm.h"
#include "highlight/Rescan.h"
#include "highlight/ScanText.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "highlight/SymCompError.h"
#include "services/ExportInput.h"
#include "services/HtmlExport.h"
#include "services/RtfExport.h"
#include "services/SM_Settings.h"
#include "textmodel/TextStore.h"
#include "toolkit/Exception.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/ShortDate.h"
#include "toolkit/TextEncoding.h"

namespace ql {
namespace {

constexpr char kUsage[] =
    "usage: quillon-hlc SCRIPT -o FILE      compile a highlighting script into a stored parser\n"
    "       quillon-hlc --dump FILE         print a stored parser as tables\n"
    "       quillon-hlc --scan FILE TEXT    print the token runs (offset length value) of a text\n"
    "       quillon-hlc --html FILE TEXT    write the text, highlighted, as an HTML page\n"
    "       quillon-hlc --rtf FILE TEXT     write the text, highlighted, as an RTF document\n";

// A failure already worded for the user.
struct TToolError {
  std::string Message;
};

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) throw TToolError{name + ": cannot be opened for reading"};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw TToolError{name + ": read error"};
  return bytes;
}

// Writes beside the target and renames, so that a failed write leaves no partial file.
void WriteFileAtomically(const std::string& name, const std::string& bytes) {
  const std::string temporary = name + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      throw TToolError{name + ": cannot be written"};
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, name, error);
  if (error) {
    std::remove(temporary.c_str());
    throw TToolError{name + ": cannot be written (" + error.message() + ")"};
  }
}

struct TDefinition {
  TCompiledTables Tables;
  TSM_Settings Settings;
};

int CompileCommand(const std::string& script, const std::string& output) {
  const std::string source = ReadFile(script);
  TDefinition d;
  TMemoryView in(source);
  const std::string includeDir = std::filesystem::path(script).parent_path().string();
  int32_t line = 0;
  int32_t column = 0;
  try {
    CompileScript(in, includeDir, d.Tables, d.Settings, line, column);
  } catch (const ESYM_COMP_ERROR& e) {
    std::cerr << e.Message << "\n";
    return 1;
  } catch (const Exception& e) {
    // Errors raised without a position (ranges, tab columns) get the place reading stopped.
    std::cerr << Format(msgCompileErrorNear, line + 1, column + 1, e.Message.c_str()) << "\n";
    return 1;
  }
  TMemoryStream form;
  const TParserFormSizes sizes = WriteParserForm(form, d.Tables, d.Settings);
  WriteFileAtomically(output, form.Bytes());
  std::cout << output << ": inner stream " << sizes.InnerSize << " bytes, compressed " << sizes.CompressedSize
            << " bytes, stored form " << form.Size() << " bytes\n";
  return 0;
}

void LoadDefinition(const std::string& file, TDefinition& d) {
  const std::string bytes = ReadFile(file);
  TMemoryView in(bytes);
  try {
    const uint16_t version = ReadParserFormVersion(in);
    if (version < OldestParserStreamVersion) {
      throw TToolError{file + ": stored parser version " + std::to_string(version) + " is too old (expected " +
                       std::to_string(ParserStreamVersion) + ")"};
    }
    ReadParserFormBody(in, version, d.Tables, d.Settings);
  } catch (const Exception& e) {
    throw TToolError{file + ": " + e.Message};
  }
}

int DumpCommand(const std::string& file) {
  TDefinition d;
  LoadDefinition(file, d);
  std::cout << file << ": stored parser\n";
  DumpDefinition(std::cout, d.Tables, d.Settings);
  return 0;
}

// A stored parser ready to scan texts.
void LoadParser(const std::string& file, TInkMemoParser& parser) {
  const std::string bytes = ReadFile(file);
  parser.Name = file;
  parser.OnParserVersionError = [&file](TInkMemoParser&, uint16_t version, uint16_t expected) {
    throw TToolError{file + ": stored parser version " + std::to_string(version) + " is too old (expected " +
                     std::to_string(expected) + ")"};
  };
  try {
    parser.LoadFromBytes(bytes);
  } catch (const Exception& e) {
    throw TToolError{e.Message};
  }
  if (parser.UsesMatch()) {
    std::cerr << "quillon-hlc: " << file << ": match rules need the program's own handler; here they recognise nothing\n";
    parser.OnCustomParse = [](TCustomInkMemoParser&, int32_t, TEdStream&, int32_t&, int32_t&) { return false; };
  }
}

// A text file in a row store, loaded through the bulk path.
void LoadText(const std::string& textFile, const std::string& text, TTextStore& store) {
  if (text.size() > static_cast<size_t>(INT32_MAX)) throw TToolError{textFile + ": too large (at most 2 GB)"};
  try {
    store.AppendText(text);
  } catch (const Exception& e) {
    throw TToolError{textFile + ": " + e.Message};
  }
}

int ScanCommand(const std::string& file, const std::string& textFile) {
  TInkMemoParser parser;
  LoadParser(file, parser);
  TTextStore store;
  LoadText(textFile, ReadFile(textFile), store);
  std::vector<uint8_t> values;
  try {
    values = ScanText(parser, store);
  } catch (const Exception& e) {
    throw TToolError{textFile + ": " + e.Message};
  }
  // Offsets count the stored text, in which every line break is one character.
  for (const TTokenRun& run : TokenRuns(values)) {
    std::cout << run.Offset << " " << run.Length << " " << int(run.Value) << "\n";
  }
  return 0;
}

// Standard output as a stream; a failed write shows in ferror.
class TStdoutStream : public TStream {
public:
  int32_t Read(void*, int32_t) override { return 0; }
  int32_t Write(const void* buffer, int32_t count) override {
    const size_t n = std::fwrite(buffer, 1, static_cast<size_t>(count), stdout);
    written_ += static_cast<int64_t>(n);
    return static_cast<int32_t>(n);
  }
  int64_t Seek(int64_t, int32_t) override { return written_; }

private:
  int64_t written_ = 0;
};

// The whole text, highlighted by the stored parser, through the editor's HTML or RTF writer.
int ExportCommand(const std::string& file, const std::string& textFile, bool html) {
  TInkMemoParser parser;
  LoadParser(file, parser);
  const std::string text = ReadFile(textFile);
  TTextStore store;
  LoadText(textFile, text, store);
  try {
    TRescanner(store, parser).HighlightAll();
  } catch (const Exception& e) {
    throw TToolError{textFile + ": " + e.Message};
  }
  TExportInput input = WholeTextExport(store, parser.Settings());
  TEncodingDetector detector;
  detector.Feed(text.data(), text.size());
  input.Encoding = detector.Result();
  input.FileName = std::filesystem::path(textFile).filename().string();
  input.Date = TodayShortDate();
  std::cout.flush();
  TStdoutStream out;
  if (html) ExportHTML(input, out);
  else ExportRTF(input, out);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw TToolError{"standard output: write error"};
  return 0;
}

int Run(const std::vector<std::string>& args) {
  if (args.size() == 3 && args[0] == "--scan") return ScanCommand(args[1], args[2]);
  if (args.size() == 3 && args[0] == "--html") return ExportCommand(args[1], args[2], true);
  if (args.size() == 3 && args[0] == "--rtf") return ExportCommand(args[1], args[2], false);
  if (args.size() == 2 && args[0] == "--dump") return DumpCommand(args[1]);
  if (args.size() == 3 && args[1] == "-o" && !args[0].empty() && args[0][0] != '-') return CompileCommand(args[0], args[2]);
  if (args.size() == 3 && args[0] == "-o" && !args[2].empty() && args[2][0] != '-') return CompileCommand(args[2], args[1]);
  std::cerr << kUsage;
  return 2;
}

}  // namespace
}  // namespace ql

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return ql::Run(args);
  } catch (const ql::TToolError& e) {
    std::cerr << "quillon-hlc: " << e.Message << "\n";
  } catch (const ql::Exception& e) {
    std::cerr << "quillon-hlc: " << e.Message << "\n";
  } catch (const std::exception& e) {
    std::cerr << "quillon-hlc: " << e.what() << "\n";
  }
  return 1;
}
