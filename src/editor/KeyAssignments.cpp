#include "editor/KeyAssignments.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "services/KeyErrors.h"
#include "services/KeyboardActionContoller.h"

namespace ql {

namespace {
constexpr const char* kNone = "<none>";
constexpr const char* kBetween = "]  [";

}  // namespace

std::string FormatKeyLine(const TKeyPair& pair) {
  std::string line = "[";
  line += ShortCutToText(pair.First);
  line += kBetween;
  line += pair.Second == 0 ? std::string(kNone) : ShortCutToText(pair.Second);
  line += ']';
  return line;
}

bool ParseKeyLine(const std::string& line, TKeyPair& pair) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  size_t close = line.find(']', 1);
  if (close == std::string::npos) return false;
  std::string first = line.substr(1, close - 1);
  // A key whose text ends in "]" meets the closing bracket: of "]]" the first is the key's.
  if (close + 1 < line.size() && line[close + 1] == ']') {
    first += ']';
    ++close;
  }
  const std::string between(kBetween);
  if (line.compare(close, between.size(), between) != 0) return false;
  const size_t secondStart = close + between.size();
  if (secondStart > line.size() - 1) return false;
  const std::string second = line.substr(secondStart, line.size() - 1 - secondStart);
  TKeyPair read;
  if (!TryTextToShortCut(first, read.First)) return false;
  if (second != kNone && !TryTextToShortCut(second, read.Second)) return false;
  pair = read;
  return true;
}

TKeyAssignments::TKeyAssignments(TKeyboardActionContoller& working) : working_(working) {
  for (const TActionName& name : working.ActionNames()) {
    TCommandKeys command;
    command.Description = name.Name;
    command.Action = name.Code;
    commands_.push_back(std::move(command));
  }
  // As a list box sorts: letters without regard to case.
  const auto lower = [](unsigned char c) { return std::tolower(c); };
  std::stable_sort(commands_.begin(), commands_.end(), [&](const TCommandKeys& a, const TCommandKeys& b) {
    return std::lexicographical_compare(a.Description.begin(), a.Description.end(), b.Description.begin(),
                                        b.Description.end(),
                                        [&](char x, char y) { return lower(x) < lower(y); });
  });
}

TCommandKeys& TKeyAssignments::Loaded(size_t command) {
  TCommandKeys& c = commands_.at(command);
  if (!c.Loaded && !c.Changed) {
    for (TKeySequence s = working_.FindFirstKeys(c.Action); s.Action != -1; s = working_.FindNextKeys(c.Action))
      c.Pairs.push_back({s.First, s.Second});
  }
  c.Loaded = true;
  return c;
}

const std::vector<TKeyPair>& TKeyAssignments::Pairs(size_t command) { return Loaded(command).Pairs; }

std::vector<std::string> TKeyAssignments::KeyLines(size_t command) {
  std::vector<std::string> lines;
  for (const TKeyPair& pair : Pairs(command)) lines.push_back(FormatKeyLine(pair));
  return lines;
}

void TKeyAssignments::Add(size_t command, const TKeyPair& pair) {
  TCommandKeys& c = Loaded(command);
  c.Pairs.push_back(pair);
  c.Changed = true;
}

bool TKeyAssignments::Replace(size_t command, const TKeyPair& old, const TKeyPair& pair) {
  TCommandKeys& c = Loaded(command);
  const auto at = std::find(c.Pairs.begin(), c.Pairs.end(), old);
  if (at == c.Pairs.end()) return false;
  *at = pair;
  c.Changed = true;
  return true;
}

bool TKeyAssignments::Delete(size_t command, const TKeyPair& pair) {
  TCommandKeys& c = Loaded(command);
  const auto at = std::find(c.Pairs.begin(), c.Pairs.end(), pair);
  if (at == c.Pairs.end()) return false;
  c.Pairs.erase(at);
  c.Changed = true;
  return true;
}

void TKeyAssignments::DropPairsWithoutFirstKey(size_t command) {
  TCommandKeys& c = Loaded(command);
  if (std::erase_if(c.Pairs, [](const TKeyPair& p) { return p.First == 0; }) > 0) c.Changed = true;
}

std::optional<std::string> TKeyAssignments::Commit() {
  TKeyboardActionContoller keys;
  for (size_t i = 0; i < commands_.size(); ++i) {
    keys.SetActionName(commands_[i].Action, commands_[i].Description);
    Loaded(i);
  }
  try {
    std::unordered_set<int32_t> listed;
    for (const TCommandKeys& c : commands_) {
      listed.insert(c.Action);
      for (const TKeyPair& pair : c.Pairs) {
        if (pair.First != 0) keys.AddKeySequence(pair.First, pair.Second, c.Action);
      }
    }
    // Keys of actions without a name are not listed, so they cannot have been edited: they stay.
    for (const TKeySequence& s : working_.KeyStore().Sequences()) {
      if (!listed.contains(s.Action)) keys.AddKeySequence(s.First, s.Second, s.Action);
    }
  } catch (const EAmbigiousKeyPair& e) {
    return std::string(e.what());
  }
  working_.Assign(keys);
  return std::nullopt;
}

}  // namespace ql
