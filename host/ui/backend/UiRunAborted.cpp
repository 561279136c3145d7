#include "ui/backend/UiRunAborted.h"

UiRunAborted::UiRunAborted(const std::string& what) : std::runtime_error(what) {}

UiRunAborted::~UiRunAborted() = default;
