#include "ui/CEdit.h"

#include "ui/backend/UiWindow.h"

CEdit::~CEdit() = default;

void CEdit::SetCueBanner(std::string_view text) { BoundWindow().SetCueBanner(BoundId(), text); }
