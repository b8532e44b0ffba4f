#include "services/ExportInput.h"

#include "services/SM_Settings.h"
#include "textmodel/TextStore.h"
#include "toolkit/SystemColors.h"

namespace ql {

TExportInput WholeTextExport(TTextStore& store, const TSM_Settings& settings) {
  TExportInput input;
  input.Store = &store;
  input.Start = 0;
  input.End = store.TextLength;
  input.Settings = &settings;
  input.Font = {settings.FontName, settings.FontSize, settings.FontCharSet};
  return input;
}

TColor ResolvedColor(const TExportInput& input, TColor color) {
  return input.ResolveColor ? input.ResolveColor(color) : ResolveStandardColor(color);
}

}  // namespace ql
