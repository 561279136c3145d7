#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where a caption's mnemonic is: the byte index of the character Alt opens it with,
// and whether the caption marked it itself with "&". Index -1: none.
struct Mnemonic {
  int index = -1;
  bool own = false;

  bool IsSet() const { return index >= 0; }
  friend bool operator==(const Mnemonic&, const Mnemonic&) = default;
};

// Chooses a mnemonic for every caption of one window, as KDE's automatic
// accelerators do, so that a keyboard reaches each labelled control without the
// captions changing. Captions use the Windows marks: "&" before the mnemonic, "&&"
// for an "&". A caption that marks its own keeps it; the others get a letter or
// digit of their own text, unique in the window (letter case aside) and not among
// `reserved`. Captions earlier in the list are served first, and each prefers the
// first letter of a word, then a capital, then any other letter, then a digit; a
// caption loses its preferred letter to a later one only when the later one would
// otherwise get none.
std::vector<Mnemonic> ChooseMnemonics(const std::vector<std::string>& captions,
                                      std::string_view reserved = {});

// The caption as Qt shows it with the mnemonic (the same marks as Windows uses).
std::string WithMnemonic(const std::string& caption, const Mnemonic& mnemonic);
// The caption as read, every mark taken out ("&&" read as "&").
std::string WithoutMarks(const std::string& caption);

// The mnemonics of a property sheet's own buttons, "&OK" and "&Cancel", which the
// pages it shows leave to them.
inline constexpr const char* kSheetOkCaption = "&OK";
inline constexpr const char* kSheetCancelCaption = "&Cancel";
inline constexpr const char* kSheetMnemonics = "OC";
