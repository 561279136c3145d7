#pragma once

#include "ui/CWnd.h"

// A label.
class CStatic : public CWnd {
 public:
  ~CStatic() override;
};
