#pragma once

#include "ui/DialogTemplate.h"

namespace kelo {

// Template 12002 "Holiday setting", the holiday setting dialog; a fresh copy per call.
DialogTemplate HolidaySettingTemplate();

// Template 12075 "New currency", where "New currency..." asks for a currency code.
DialogTemplate NewCurrencyTemplate();

}  // namespace kelo
