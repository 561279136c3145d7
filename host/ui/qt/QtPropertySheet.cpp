#include "ui/qt/QtPropertySheet.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <stdexcept>

#include "ui/WinConstants.h"
#include "ui/qt/FittingScrollArea.h"
#include "ui/qt/Latin1.h"
#include "ui/qt/Mnemonics.h"
#include "ui/qt/QtControl.h"
#include "ui/qt/QtUiWindow.h"

namespace {

QtUiWindow& QtPage(const SheetPage& page) {
  auto* window = dynamic_cast<QtUiWindow*>(page.window);
  if (!window) throw std::logic_error("a sheet page was not made by the Qt backend");
  return *window;
}

// "handler.xml — Handler Properties": the file first, as desktops name windows.
// The path is in the file system's encoding, not the framework's.
QString SheetTitle(std::string_view caption, const std::string& document) {
  if (document.empty()) return ToQString(caption);
  const QString file = QFileInfo(QFile::decodeName(document.c_str())).fileName();
  return file + QStringLiteral(" \u2014 ") + ToQString(caption);
}

}  // namespace

QtPropertySheet::QtPropertySheet(std::string_view caption, std::string_view document,
                                 std::span<const SheetPage> pages, PropertySheetListener* listener,
                                 DeferredError& errors)
    : document_(document), listener_(listener), errors_(errors) {
  if (pages.empty()) throw std::logic_error("a property sheet needs at least one page");
  dialog_.setWindowTitle(SheetTitle(caption, document_));
  auto* layout = new QVBoxLayout(&dialog_);
  tabs_ = new QTabWidget(&dialog_);
  layout->addWidget(tabs_, 1);
  pages_.reserve(pages.size());
  for (const SheetPage& page : pages) {
    QtUiWindow& window = QtPage(page);
    if (pages_.empty()) dialog_.setFont(window.TopWidget().font());
    pages_.push_back({new FittingScrollArea(tabs_), nullptr, 0});
    Lend(pages_.back(), window);
    switching_ = true;
    tabs_->addTab(pages_.back().holder, ToQString(page.title));
    switching_ = false;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog_);
  buttons->button(QDialogButtonBox::Ok)->setText(QString::fromLatin1(kSheetOkCaption));
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromLatin1(kSheetCancelCaption));
  layout->addWidget(buttons);
  QObject::connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, &dialog_,
                   [this] { OnOk(); });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog_, &QDialog::reject);
  QObject::connect(tabs_, &QTabWidget::currentChanged, &dialog_,
                   [this](int index) { OnTabChanged(index); });
  focusWatch_ = QObject::connect(qApp, &QApplication::focusChanged, &dialog_,
                                 [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
  FocusFirstOf(pages.front());
}

QtPropertySheet::~QtPropertySheet() {
  QObject::disconnect(focusWatch_);
  const QSignalBlocker quiet(tabs_);
  switching_ = true;
  for (Tab& tab : pages_) HandBack(tab);
}

void QtPropertySheet::Lend(Tab& tab, QtUiWindow& window) {
  tab.page = &window.TopWidget();
  tab.focusedId = 0;
  tab.holder->setWidget(tab.page);
  tab.page->show();
}

// The holder would delete the page with itself; it goes back to its window instead.
void QtPropertySheet::HandBack(Tab& tab) {
  if (!tab.page) return;
  if (tab.holder->widget() == tab.page) tab.holder->takeWidget();
  tab.page->hide();
  tab.page->setParent(nullptr);
  tab.page = nullptr;
}

void QtPropertySheet::FocusFirstOf(const SheetPage& page) { QtPage(page).FocusFirstField(); }

bool QtPropertySheet::Run() {
  FitToScreen(dialog_);
  const bool accepted = dialog_.exec() == IDOK;
  errors_.RethrowIfAny();
  return accepted;
}

// Sized to its content the sheet needs no scroll bar, and a hidden window would
// not yet know it.
void QtPropertySheet::FitToContent() {
  for (Tab& tab : pages_) {
    tab.holder->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tab.holder->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  dialog_.ensurePolished();
  dialog_.resize(dialog_.sizeHint());
}

QWidget* QtPropertySheet::PageWidget(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= pages_.size()) return nullptr;
  return pages_[static_cast<std::size_t>(index)].page;
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
  QtUiWindow& window = QtPage(page);
  Tab& tab = pages_.at(static_cast<std::size_t>(index));
  const int focusedId = tab.focusedId;
  {
    // The tab stays; only what it holds changes, and nobody is told of it.
    const QSignalBlocker quiet(tabs_);
    switching_ = true;
    HandBack(tab);
    Lend(tab, window);
    switching_ = false;
  }
  ShowPage(index);
  // The focus went with the old page's widget; the same field of the new one takes
  // it, as though nothing had changed.
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != &dialog_ || tab.page->isAncestorOf(focus)) {
    QWidget* same = focusedId != 0 ? window.ControlWidget(focusedId) : nullptr;
    if (same != nullptr && same->isEnabled()) {
      same->setFocus(Qt::OtherFocusReason);
    } else {
      window.FocusFirstField();
    }
  }
}

void QtPropertySheet::OnFocusChanged(QWidget* now) {
  for (Tab& tab : pages_) {
    if (tab.page && tab.page->isAncestorOf(now)) tab.focusedId = QtControl::IdOf(now, tab.page);
  }
}

void QtPropertySheet::OnTabChanged(int index) {
  if (switching_ || !listener_ || index < 0 || index == activePage_) return;
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
