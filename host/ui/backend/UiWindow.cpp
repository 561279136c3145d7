#include "ui/backend/UiWindow.h"

UiWindow::~UiWindow() = default;

std::optional<char32_t> UiWindow::UnstorableCharacter(int) const { return std::nullopt; }

void UiWindow::MarkWholeNumber(int) {}

void UiWindow::SetCueBanner(int, std::string_view) {}
