#include "ui/backend/UiWindow.h"

UiWindow::~UiWindow() = default;

std::optional<char32_t> UiWindow::UnstorableCharacter(int) const { return std::nullopt; }

void UiWindow::MarkWholeNumber(int) {}
