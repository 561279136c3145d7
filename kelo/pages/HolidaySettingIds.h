#pragma once

// The template and control ids of the holiday setting dialog. Part of the module's
// interface: scripts address the dialog's controls by them.

namespace kelo {

inline constexpr int IDD_KELO_HOLIDAYSETTING = 12002;

inline constexpr int IDC_HOLIDAY_ADD = 12060;
inline constexpr int IDC_HOLIDAY_LIST = 12063;
inline constexpr int IDC_HOLIDAY_DATE = 12064;
inline constexpr int IDC_HOLIDAY_CURRENCY = 12065;
inline constexpr int IDC_HOLIDAY_REMOVE = 12066;
inline constexpr int IDC_HOLIDAY_REMOVE_ALL = 12067;
inline constexpr int IDC_HOLIDAY_ADD_YEAR = 12070;
inline constexpr int IDC_HOLIDAY_YEAR = 12071;
inline constexpr int IDC_HOLIDAY_IMPORT = 12072;
inline constexpr int IDC_HOLIDAY_EXPORT = 12073;
inline constexpr int IDC_HOLIDAY_NEW_CURRENCY = 12074;

// The "New currency" dialog the holiday setting dialog opens.
inline constexpr int IDD_KELO_NEWCURRENCY = 12075;
inline constexpr int IDC_NEW_CURRENCY_CODE = 12076;

}  // namespace kelo
