#include "ui/backend/UiBackend.h"

#include <stdexcept>

namespace {

std::unique_ptr<UiBackend>& Slot() {
  static std::unique_ptr<UiBackend> installed;
  return installed;
}

}  // namespace

UiBackend::~UiBackend() = default;

void UiBackend::ReplaceSheetPage(int, const SheetPage&) {
  throw std::logic_error("this user-interface backend cannot replace a page of a running sheet");
}

void UiBackend::RenderWindowToPng(UiWindow&, const std::string&) {
  throw std::runtime_error("this user-interface backend cannot render windows");
}

void UiBackend::RenderSheetToPng(std::string_view, std::span<const SheetPage>, int,
                                 const std::string&) {
  throw std::runtime_error("this user-interface backend cannot render windows");
}

std::unique_ptr<UiBackend> UiBackend::Install(std::unique_ptr<UiBackend> backend) {
  std::swap(Slot(), backend);
  return backend;
}

std::unique_ptr<UiBackend> UiBackend::Uninstall() { return std::move(Slot()); }

UiBackend* UiBackend::Installed() { return Slot().get(); }

UiBackend& UiBackend::Current() {
  if (!Slot()) throw std::runtime_error("no user-interface backend is installed");
  return *Slot();
}
