#include "toolkit/ShortCut.h"

#include <array>
#include <cstdio>

#include "toolkit/VirtualKeys.h"

namespace ql {
namespace {

struct TNamedKey {
  uint8_t key;
  const char* name;
};

// Keys whose names are not the key's own character. Punctuation keys are named after their
// unshifted character on a US keyboard.
constexpr TNamedKey kNamedKeys[] = {
    {VK_BACK, "BkSp"},       {VK_TAB, "Tab"},           {VK_CLEAR, "Clear"},
    {VK_RETURN, "Enter"},    {VK_SHIFT, "Shift"},       {VK_CONTROL, "Ctrl"},
    {VK_MENU, "Alt"},        {VK_PAUSE, "Pause"},       {VK_CAPITAL, "Caps Lock"},
    {VK_ESCAPE, "Esc"},      {VK_SPACE, "Space"},       {VK_PRIOR, "PgUp"},
    {VK_NEXT, "PgDn"},       {VK_END, "End"},           {VK_HOME, "Home"},
    {VK_LEFT, "Left"},       {VK_UP, "Up"},             {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},       {VK_SNAPSHOT, "Prnt Scrn"}, {VK_INSERT, "Ins"},
    {VK_DELETE, "Del"},      {VK_HELP, "Help"},         {VK_LWIN, "Left Windows"},
    {VK_RWIN, "Right Windows"}, {VK_APPS, "Application"}, {VK_MULTIPLY, "Num *"},
    {VK_ADD, "Num +"},       {VK_SEPARATOR, "Num Enter"}, {VK_SUBTRACT, "Num -"},
    {VK_DECIMAL, "Num ."},   {VK_DIVIDE, "Num /"},      {VK_NUMLOCK, "Num Lock"},
    {VK_SCROLL, "Scroll Lock"}, {VK_OEM_1, ";"},        {VK_OEM_PLUS, "="},
    {VK_OEM_COMMA, ","},     {VK_OEM_MINUS, "-"},       {VK_OEM_PERIOD, "."},
    {VK_OEM_2, "/"},         {VK_OEM_3, "`"},           {VK_OEM_4, "["},
    {VK_OEM_5, "\\"},        {VK_OEM_6, "]"},           {VK_OEM_7, "'"},
};

// Index: virtual key. Keys without a name of their own are written "Key 0xNN", which reads back.
const std::array<std::string, 256>& KeyNames() {
  static const std::array<std::string, 256> names = [] {
    std::array<std::string, 256> n;
    char buf[16];
    for (int key = 1; key < 256; ++key) {
      std::snprintf(buf, sizeof buf, "Key 0x%02X", key);
      n[key] = buf;
    }
    for (int key = '0'; key <= '9'; ++key) n[key] = std::string(1, static_cast<char>(key));
    for (int key = 'A'; key <= 'Z'; ++key) n[key] = std::string(1, static_cast<char>(key));
    for (int i = 0; i < 10; ++i) {
      std::snprintf(buf, sizeof buf, "Num %d", i);
      n[VK_NUMPAD0 + i] = buf;
    }
    for (int i = 0; i < 24; ++i) {
      std::snprintf(buf, sizeof buf, "F%d", i + 1);
      n[VK_F1 + i] = buf;
    }
    for (const auto& k : kNamedKeys) n[k.key] = k.name;
    return n;
  }();
  return names;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(const std::string& a, size_t from, size_t length, const std::string& b) {
  if (length != b.size()) return false;
  for (size_t i = 0; i < length; ++i)
    if (Lower(a[from + i]) != Lower(b[i])) return false;
  return true;
}

struct TModifierPrefix {
  const char* text;
  uint16_t bit;
};
constexpr TModifierPrefix kPrefixes[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};

}  // namespace

ShortCutCode ShortCut(uint16_t key, TShiftState shift) {
  if (key == 0 || key > 0xFF) return 0;
  ShortCutCode code = key;
  if (shift & ssShift) code |= scShift;
  if (shift & ssCtrl) code |= scCtrl;
  if (shift & ssAlt) code |= scAlt;
  return code;
}

void ShortCutToKey(ShortCutCode code, uint16_t& key, TShiftState& shift) {
  key = code & 0xFF;
  shift = 0;
  if (code & scShift) shift |= ssShift;
  if (code & scCtrl) shift |= ssCtrl;
  if (code & scAlt) shift |= ssAlt;
}

std::string KeyName(uint8_t key) { return KeyNames()[key]; }

std::string ShortCutToText(ShortCutCode code) {
  const uint8_t key = code & 0xFF;
  if (key == 0) return {};
  std::string text;
  for (const auto& p : kPrefixes)
    if (code & p.bit) text += p.text;
  return text + KeyNames()[key];
}

bool TryTextToShortCut(const std::string& text, ShortCutCode& code) {
  if (text.empty()) {
    code = 0;
    return true;
  }
  uint16_t modifiers = 0;
  size_t pos = 0;
  for (bool more = true; more;) {
    more = false;
    for (const auto& p : kPrefixes) {
      const std::string prefix = p.text;
      // A prefix only counts when a key name follows it ("Num +" is a name, "Ctrl+" alone is not).
      if (text.size() - pos > prefix.size() && SameText(text, pos, prefix.size(), prefix)) {
        modifiers |= p.bit;
        pos += prefix.size();
        more = true;
      }
    }
  }
  const auto& names = KeyNames();
  for (int key = 1; key < 256; ++key) {
    if (SameText(text, pos, text.size() - pos, names[key])) {
      code = static_cast<ShortCutCode>(key | modifiers);
      return true;
    }
  }
  return false;
}

ShortCutCode TextToShortCut(const std::string& text) {
  ShortCutCode code = 0;
  return TryTextToShortCut(text, code) ? code : 0;
}

}  // namespace ql
