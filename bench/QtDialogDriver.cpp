#include "bench/QtDialogDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTimeEdit>
#include <QListWidget>
#include <QTableView>
#include <stdexcept>
#include <string>

#include "kelo/pages/HolidaySettingIds.h"
#include "ui/qt/HcdCreateUiBackend.h"
#include "ui/qt/QtUiWindow.h"

namespace bench {
namespace {

template <class Widget>
Widget* ControlAs(QtUiWindow& window, int id) {
  auto* widget = qobject_cast<Widget*>(window.ControlWidget(id));
  if (widget == nullptr)
    throw std::logic_error("control " + std::to_string(id) + " is not the widget expected");
  return widget;
}

}  // namespace

std::unique_ptr<QtDialogDriver> QtDialogDriver::Create() {
  std::unique_ptr<UiBackend> backend(HcdCreateUiBackend());
  if (!backend) return nullptr;
  return std::unique_ptr<QtDialogDriver>(new QtDialogDriver(std::move(backend)));
}

QtDialogDriver::QtDialogDriver(std::unique_ptr<UiBackend> backend)
    : HolidayDialogDriver(std::move(backend)) {}

QtDialogDriver::~QtDialogDriver() { Close(); }

void QtDialogDriver::Opened() {
  window_ = dynamic_cast<QtUiWindow*>(Dialog().GetUiWindow());
  if (window_ == nullptr) throw std::logic_error("the holiday dialog has no Qt window");
  currencies_ = ControlAs<QListWidget>(*window_, kelo::IDC_HOLIDAY_CURRENCY);
  holidays_ = ControlAs<QTableView>(*window_, kelo::IDC_HOLIDAY_LIST);
  year_ = ControlAs<QDateTimeEdit>(*window_, kelo::IDC_HOLIDAY_YEAR);
  window_->TopWidget().show();
  Settle();
}

void QtDialogDriver::Closing() {
  window_->TopWidget().hide();
  Settle();
  window_ = nullptr;
  currencies_ = nullptr;
  holidays_ = nullptr;
  year_ = nullptr;
}

QtUiWindow& QtDialogDriver::Window() const {
  if (window_ == nullptr) throw std::logic_error("the holiday dialog is not open");
  return *window_;
}

void QtDialogDriver::Settle() { QCoreApplication::processEvents(); }

void QtDialogDriver::SelectCurrency(std::string_view code) {
  const QList<QListWidgetItem*> found = currencies_->findItems(
      QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())), Qt::MatchExactly);
  if (found.size() != 1) throw std::logic_error("no currency " + std::string(code));
  currencies_->setCurrentItem(found.front());
  Settle();
}

void QtDialogDriver::SelectAllRows() {
  holidays_->selectAll();
  Settle();
}

void QtDialogDriver::PickYear(int year) {
  const QDate date = year_->date();
  year_->setDate(QDate(year, date.month(), std::min(date.day(), 28)));
  Settle();
}

void QtDialogDriver::Click(int controlId) {
  ControlAs<QAbstractButton>(Window(), controlId)->click();
  Settle();
}

int QtDialogDriver::RowCount() const { return Window().RowCount(kelo::IDC_HOLIDAY_LIST); }

}  // namespace bench
