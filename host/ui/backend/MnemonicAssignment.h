#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ControlTemplate.h"
#include "ui/backend/WindowRole.h"

// Where a caption's mnemonic is: the byte index of the character Alt opens it with,
// and whether the caption marked it itself with "&". Index -1: none.
struct MnemonicPlace {
  int index = -1;
  bool own = false;

  bool IsSet() const { return index >= 0; }
  friend bool operator==(const MnemonicPlace&, const MnemonicPlace&) = default;
};

// Chooses a mnemonic for every caption of one window, as KDE's automatic
// accelerators do, so that a keyboard reaches each labelled control without the
// captions changing. Captions use the Windows marks: "&" before the mnemonic, "&&"
// for an "&". A caption that marks its own keeps it; the others get a letter or
// digit of their own text, unique in the window (letter case aside) and not among
// `reserved`. Captions earlier in the list are served first, and each prefers the
// first letter of a word, then a capital, then any other letter, then a digit; a
// caption loses its preferred letter to a later one only when the later one would
// otherwise get none. Every backend assigns with this one function, so that a
// window answers the same keys whatever shows it.
std::vector<MnemonicPlace> AssignMnemonics(const std::vector<std::string>& captions,
                                           std::string_view reserved = {});

// A control of a window whose caption takes a mnemonic: a push button, check box or
// radio button, or a label that names the control after it.
struct MnemonicTaker {
  ControlKind kind = ControlKind::Label;
  int id = 0;
  std::string caption;
};

// The mnemonics of one window's takers, in the order given: the window's own buttons
// (IDOK, IDCANCEL) are served first, then the other buttons, then check boxes and
// radio buttons, then labels; a property page leaves "O" and "C" to its sheet's OK
// and Cancel.
std::vector<MnemonicPlace> AssignWindowMnemonics(std::span<const MnemonicTaker> takers,
                                                 WindowRole role);

// The key a placed mnemonic answers to, upper case ('A' to 'Z', '0' to '9'); 0 for
// none.
char MnemonicKey(std::string_view caption, const MnemonicPlace& place);
// The caption as read, every mark taken out ("&&" read as "&").
std::string CaptionWithoutMarks(std::string_view caption);
// Where the mnemonic's character is in CaptionWithoutMarks(caption); -1 for none.
int ShownMnemonicIndex(std::string_view caption, const MnemonicPlace& place);

// The captions of a property sheet's own buttons and the keys they keep.
inline constexpr const char* kPropertySheetOkCaption = "&OK";
inline constexpr const char* kPropertySheetCancelCaption = "&Cancel";
inline constexpr const char* kPropertySheetKeys = "OC";
