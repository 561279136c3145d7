#include "ui/CButton.h"

#include "ui/backend/UiWindow.h"

CButton::~CButton() = default;

void CButton::SetCheck(int state) { BoundWindow().SetCheck(BoundId(), state); }

int CButton::GetCheck() const { return BoundWindow().Check(BoundId()); }
