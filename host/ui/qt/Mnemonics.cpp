#include "ui/qt/Mnemonics.h"

#include "ui/backend/MnemonicAssignment.h"

// The assignment is shared with every other backend, so that a window answers the
// same keys whatever shows it.
std::vector<Mnemonic> ChooseMnemonics(const std::vector<std::string>& captions,
                                      std::string_view reserved) {
  std::vector<Mnemonic> chosen;
  for (const MnemonicPlace& place : AssignMnemonics(captions, reserved))
    chosen.push_back({place.index, place.own});
  return chosen;
}

std::string WithMnemonic(const std::string& caption, const Mnemonic& mnemonic) {
  if (!mnemonic.IsSet() || mnemonic.own ||
      static_cast<std::size_t>(mnemonic.index) >= caption.size()) {
    return caption;
  }
  std::string shown = caption;
  shown.insert(static_cast<std::size_t>(mnemonic.index), 1, '&');
  return shown;
}

std::string WithoutMarks(const std::string& caption) { return CaptionWithoutMarks(caption); }
