// Reads arbitrary bytes as a settings stream. The first byte picks the stream version (50 or
// 51). A stream that loads must write out a form that reads back and writes out again to the
// same bytes; one that fails must raise a stream error and leave the settings as they were.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/SM_Settings.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamCopy.h"

using namespace ql;

namespace {

class NullClient : public TSettingsClient {
public:
  void SettingsGutterFontChanged(TSM_Settings&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int32_t version = (data[0] & 1) ? 51 : 50;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  TSM_Settings settings;
  settings.StreamVersion = version;
  NullClient editor;
  settings.Attach(editor);  // fonts are made and remade as an editor would see them
  const std::string before = StreamBytes(settings);
  TMemoryStream in(bytes);
  try {
    settings.LoadFromStream(in);
  } catch (const EStreamError&) {
    if (StreamBytes(settings) != before || settings.UseCount() != 1) std::abort();
    return 0;
  }
  const std::string once = StreamBytes(settings);

  TSM_Settings copy;
  copy.StreamVersion = version;
  TMemoryStream again(once);
  copy.LoadFromStream(again);  // must not fail
  if (again.Position() != again.Size() || StreamBytes(copy) != once) std::abort();
  return 0;
}
