#include "services/KeyboardActionContoller.h"

#include <iterator>

#include "services/KeyErrors.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamCopy.h"
#include "toolkit/StreamEncoding.h"

namespace ql {
namespace {

// Bytes of the smallest name entry (code and an empty short name) and of one sequence.
constexpr int32_t kMinNameSize = 4 + 1;
constexpr int32_t kSequenceSize = 2 + 2 + 4;

}  // namespace

TKeyboardActionContoller::TKeyboardActionContoller() : store_(std::make_unique<TKeyStore>(this)) {}

void TKeyboardActionContoller::ClearKeys() {
  store_ = std::make_unique<TKeyStore>(this);
  names_.clear();
}

void TKeyboardActionContoller::SetActionName(int32_t code, const std::string& name) {
  if (name.size() > 255) {
    throw EKeyControllerException(
        Format("Action name too long (%d characters, at most 255)", static_cast<int>(name.size())));
  }
  for (auto it = names_.rbegin(); it != names_.rend(); ++it) {
    if (it->Code == code) {
      names_.erase(std::next(it).base());
      break;
    }
  }
  names_.push_back({name, code});
}

std::string TKeyboardActionContoller::GetActionName(int32_t code) const {
  for (auto it = names_.rbegin(); it != names_.rend(); ++it)
    if (it->Code == code) return it->Name;
  return {};
}

void TKeyboardActionContoller::ProcessKey(uint16_t& key, TShiftState& shift, bool& handled) {
  handled = false;
  const ShortCutCode code = ShortCut(key, shift);
  if (code == 0) {
    store_->ResetMatch();
    return;
  }
  const TKeyMatch match = store_->Match(code);
  if (match == TKeyMatch::kNone) return;
  handled = true;
  key = 0;
  shift = 0;
  // The matcher is idle again before the handler runs, so a handler that raises or changes the
  // key table leaves nothing half-matched.
  if (match == TKeyMatch::kComplete && OnAction) {
    int32_t action = store_->LastAction();
    OnAction(*this, action);
  }
}

void TKeyboardActionContoller::Assign(const TObject& source) {
  const auto* other = dynamic_cast<const TKeyboardActionContoller*>(&source);
  if (other == nullptr) throw Exception(Format("Cannot assign a %s to a %s", source.ClassName(), ClassName()));
  CopyThroughStream(*other, *this);
}

void TKeyboardActionContoller::SaveToStream(TStream& stream) const {
  // Built in memory first, so that a name that cannot be stored writes nothing at all.
  TMemoryStream out;
  WriteInteger(out, static_cast<int32_t>(names_.size()));
  for (const auto& n : names_) {
    WriteInteger(out, n.Code);
    WriteShortName(out, n.Name);
  }
  const std::vector<TKeySequence> sequences = store_->Sequences();
  WriteInteger(out, static_cast<int32_t>(sequences.size()));
  for (const auto& s : sequences) {
    WriteWord(out, s.First);
    WriteWord(out, s.Second);
    WriteInteger(out, s.Action);
  }
  stream.CopyFrom(out, 0);
}

void TKeyboardActionContoller::LoadFromStream(TStream& stream) {
  TKeyboardActionContoller fresh;
  const int32_t nameCount = ReadCount(stream, kMinNameSize);
  fresh.names_.reserve(nameCount);
  for (int32_t i = 0; i < nameCount; ++i) {
    const int32_t code = ReadInteger(stream);
    fresh.names_.push_back({ReadShortName(stream), code});
  }
  const int32_t sequenceCount = ReadCount(stream, kSequenceSize);
  std::vector<TKeySequence> sequences(sequenceCount);
  for (auto& s : sequences) {
    s.First = ReadWord(stream);
    s.Second = ReadWord(stream);
    s.Action = ReadInteger(stream);
  }
  // Added so that they enumerate, and are written again, in the order they were read.
  fresh.store_->AddSequences(sequences);
  names_ = std::move(fresh.names_);
  store_ = std::move(fresh.store_);
  store_->SetController(this);
}

}  // namespace ql
