#pragma once

// The numeric constants of the framework, with the values and names a Windows
// property-page programmer expects, so page code reads the same on every toolkit.

// Dialog results and the ids of the standard buttons.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
// The id every label and group box may share; never addressed by id.
inline constexpr int IDC_STATIC = -1;

// Control notification codes, as delivered to a message map.
inline constexpr int BN_CLICKED = 0;
inline constexpr int LBN_SELCHANGE = 1;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int CBN_EDITCHANGE = 5;
inline constexpr int EN_CHANGE = 0x0300;
inline constexpr int LVN_ITEMCHANGED = -101;
inline constexpr int DTN_DATETIMECHANGE = -759;

// Check states of check boxes and radio buttons.
inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;

// Item results of list boxes and combo boxes.
inline constexpr int LB_ERR = -1;
inline constexpr int CB_ERR = -1;

// Message box types: one button set, optionally one icon.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_TYPEMASK = 0xF;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONEXCLAMATION = MB_ICONWARNING;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_ICONMASK = 0xF0;
// Which button has the focus when the box opens (the first when none is said).
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFMASK = 0xF00;

// List view extended styles.
inline constexpr unsigned LVS_EX_GRIDLINES = 0x1;
inline constexpr unsigned LVS_EX_FULLROWSELECT = 0x20;

// List view column alignment.
inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;

// Open-file chooser flags.
inline constexpr unsigned OFN_READONLY = 0x1;
inline constexpr unsigned OFN_OVERWRITEPROMPT = 0x2;
inline constexpr unsigned OFN_HIDEREADONLY = 0x4;
inline constexpr unsigned OFN_NOCHANGEDIR = 0x8;
inline constexpr unsigned OFN_PATHMUSTEXIST = 0x800;
inline constexpr unsigned OFN_FILEMUSTEXIST = 0x1000;
inline constexpr unsigned OFN_NONETWORKBUTTON = 0x20000;
