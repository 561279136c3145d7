#include "ui/qt/QtPropertySheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "ui/WinConstants.h"
#include "ui/qt/Latin1.h"
#include "ui/qt/QtUiWindow.h"

QtPropertySheet::QtPropertySheet(std::string_view caption, std::span<const SheetPage> pages,
                                 PropertySheetListener* listener, DeferredError& errors)
    : listener_(listener), errors_(errors) {
  if (pages.empty()) throw std::logic_error("a property sheet needs at least one page");
  dialog_.setWindowTitle(ToQString(caption));
  auto* layout = new QVBoxLayout(&dialog_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  tabs_ = new QTabWidget(&dialog_);
  layout->addWidget(tabs_);
  for (const SheetPage& page : pages) {
    auto* window = dynamic_cast<QtUiWindow*>(page.window);
    if (!window) throw std::logic_error("a sheet page was not made by the Qt backend");
    if (pages_.empty()) dialog_.setFont(window->TopWidget().font());
    pages_.emplace_back(&window->TopWidget());
    switching_ = true;
    tabs_->addTab(&window->TopWidget(), ToQString(page.title));
    switching_ = false;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog_);
  layout->addWidget(buttons);
  QObject::connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, &dialog_,
                   [this] { OnOk(); });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog_, &QDialog::reject);
  QObject::connect(tabs_, &QTabWidget::currentChanged, &dialog_,
                   [this](int index) { OnTabChanged(index); });
}

QtPropertySheet::~QtPropertySheet() {
  switching_ = true;
  for (const QPointer<QWidget>& page : pages_) {
    if (!page) continue;
    tabs_->removeTab(tabs_->indexOf(page));
    page->hide();
    page->setParent(nullptr);
  }
}

bool QtPropertySheet::Run() {
  const bool accepted = dialog_.exec() == IDOK;
  errors_.RethrowIfAny();
  return accepted;
}

template <class Call>
void QtPropertySheet::Ask(Call call) {
  try {
    call();
  } catch (...) {
    errors_.Capture(std::current_exception());
  }
}

void QtPropertySheet::ShowPage(int index) {
  if (index < 0 || index >= tabs_->count()) return;
  switching_ = true;
  tabs_->setCurrentIndex(index);
  switching_ = false;
  activePage_ = index;
}

void QtPropertySheet::ReplacePage(int index, const SheetPage& page) {
  auto* window = dynamic_cast<QtUiWindow*>(page.window);
  if (!window) throw std::logic_error("a sheet page was not made by the Qt backend");
  QPointer<QWidget>& slot = pages_.at(static_cast<std::size_t>(index));
  switching_ = true;
  if (slot) {
    tabs_->removeTab(tabs_->indexOf(slot));
    slot->hide();
    slot->setParent(nullptr);
  }
  slot = &window->TopWidget();
  tabs_->insertTab(index, slot, ToQString(page.title));
  switching_ = false;
  ShowPage(index);
}

void QtPropertySheet::OnTabChanged(int index) {
  if (switching_ || !listener_ || index == activePage_) return;
  // The tab bar has already moved: move it back while the page being left decides.
  const int leaving = activePage_;
  ShowPage(leaving);
  Ask([&] {
    if (!listener_->OnLeavePage(leaving)) return;
    ShowPage(index);
    listener_->OnPageActivated(index);
  });
}

void QtPropertySheet::OnOk() {
  if (!listener_) {
    dialog_.done(IDOK);
    return;
  }
  Ask([&] {
    if (listener_->OnSheetOk()) {
      dialog_.done(IDOK);
    } else {
      ShowPage(listener_->ActivePageAfterRefusal());
    }
  });
}
