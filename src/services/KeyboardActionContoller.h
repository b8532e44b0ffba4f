#pragma once
// The keyboard action controller: the key store of an editor's settings, the display names of
// the action codes, and the matching of typed keys against the key sequences.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/KeyStore.h"
#include "textmodel/SM_Base.h"
#include "toolkit/ShiftState.h"

namespace ql {

// Raised when a key sequence completes; the handler may change the action code.
using TKeyboardActionEvent = std::function<void(TObject& sender, int32_t& actionCode)>;

// One entry of the action name list.
struct TActionName {
  std::string Name;
  int32_t Code = 0;
  bool operator==(const TActionName&) const = default;
};

class TKeyboardActionContoller : public TSM_Base {
public:
  TKeyboardActionContoller();
  TKeyboardActionContoller(const TKeyboardActionContoller&) = delete;
  TKeyboardActionContoller& operator=(const TKeyboardActionContoller&) = delete;
  const char* ClassName() const override { return "TKeyboardActionContoller"; }

  // Empties the key store and the name list.
  void ClearKeys();
  void AddKeySequence(ShortCutCode first, ShortCutCode second, int32_t action) {
    store_->AddKeySequence(first, second, action);
  }
  TKeySequence FindFirstKeys(int32_t action) { return store_->FindFirstKeys(action); }
  TKeySequence FindNextKeys(int32_t action) { return store_->FindNextKeys(action); }

  // Replaces the name of code (the last entry with that code) by name, appended at the end.
  // Raises EKeyControllerException for a name longer than the 255 characters it can be stored with.
  void SetActionName(int32_t code, const std::string& name);
  // The name of the last entry with code; the empty string when there is none.
  std::string GetActionName(int32_t code) const;
  // The name list in its order: the order the names were set or read.
  const std::vector<TActionName>& ActionNames() const { return names_; }

  // Feeds a key press to the matcher. A key that starts or completes a sequence is handled:
  // key and shift become 0, and a completed sequence fires OnAction with its action.
  void ProcessKey(uint16_t& key, TShiftState& shift, bool& handled);
  void ResetMatch() { store_->ResetMatch(); }

  TKeyStore& KeyStore() { return *store_; }
  const TKeyStore& KeyStore() const { return *store_; }

  // Copies another controller; raises "Cannot assign a %s to a %s" for any other class.
  void Assign(const TObject& source) override;
  // Stream form: integer n, n times (integer code, short name); integer s, s times in
  // enumeration order (16-bit first key, 16-bit second key or 0, integer action).
  void SaveToStream(TStream& stream) const override;
  // Reads the stream form. The names and sequences replace this controller's only when the whole
  // stream was read and every sequence was added without conflict; otherwise the error (a stream
  // read error, or EAmbigiousKeyPair) leaves this controller as it was.
  void LoadFromStream(TStream& stream) override;

  TKeyboardActionEvent OnAction;

private:
  std::unique_ptr<TKeyStore> store_;
  std::vector<TActionName> names_;
};

}  // namespace ql
