#pragma once

#include <string>

#include "ui/DialogTemplate.h"

// Templates the Qt backend's tests build windows from.
namespace qttest {

inline constexpr int kControlsDialog = 900;
inline constexpr int IDC_NAME_LABEL = 100;
inline constexpr int IDC_NAME = 101;
inline constexpr int IDC_SECRET = 102;
inline constexpr int IDC_ENABLE = 103;
inline constexpr int IDC_AUTO_A = 104;
inline constexpr int IDC_AUTO_B = 105;
inline constexpr int IDC_PLAIN_C = 106;
inline constexpr int IDC_PLAIN_D = 107;
inline constexpr int IDC_EDIT_COMBO = 108;
inline constexpr int IDC_LIST_COMBO = 109;
inline constexpr int IDC_LIST_BOX = 110;
inline constexpr int IDC_LIST_VIEW = 111;
inline constexpr int IDC_DATE = 112;
inline constexpr int IDC_YEAR = 113;
inline constexpr int IDC_APPLY = 114;

// One control of every kind, laid out without overlaps: OK is the default button.
DialogTemplate ControlsDialog();

// A property page with one edit box (id 200) under a label.
inline constexpr int IDC_PAGE_EDIT = 200;
DialogTemplate PageTemplate(int id, std::string title);

}  // namespace qttest
