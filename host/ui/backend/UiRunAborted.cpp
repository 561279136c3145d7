#include "ui/backend/UiRunAborted.h"

UiRunAborted::UiRunAborted(const std::string& what, int signal)
    : std::runtime_error(what), signal_(signal) {}

UiRunAborted::~UiRunAborted() = default;
