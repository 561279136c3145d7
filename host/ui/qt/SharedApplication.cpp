#include "ui/qt/SharedApplication.h"

#include <QFont>
#include <QStyleFactory>
#include <cstdio>

#include "ui/qt/ComboBoxAccessible.h"
#include "ui/qt/LiveStatus.h"
#include "ui/qt/QtPlatformProbe.h"
#include "ui/qt/RadioButtonAccessible.h"

namespace {

QtMessageHandler passOn = nullptr;

// A screen reader reads a table's cells by the count of rows it read before; when
// rows went meanwhile (the holiday list emptied, or filled with fewer), Qt rightly
// answers that the cell is not there, and reports the request on standard error
// too, where the tool's users read what concerns them. Those reports go; every
// other message is passed on.
void DropStaleCellRequests(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (type == QtWarningMsg &&
      (message.startsWith(QLatin1String("QAccessibleTable::child: Invalid index")) ||
       message.startsWith(QLatin1String("QAccessibleTable::cellAt: invalid index")))) {
    return;
  }
  if (passOn != nullptr) {
    passOn(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
}

void InstallMessageFilter() {
  static const bool installed = [] {
    passOn = qInstallMessageHandler(&DropStaleCellRequests);
    return true;
  }();
  (void)installed;
}

}  // namespace

std::shared_ptr<SharedApplication> SharedApplication::Acquire(std::string& problem) {
  static std::weak_ptr<SharedApplication> current;
  problem.clear();
  if (std::shared_ptr<SharedApplication> live = current.lock()) return live;
  if (QCoreApplication::instance() != nullptr) {
    // The host's own: widgets need it to be a QApplication.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
      problem = "the process runs a Qt application without widgets";
    return nullptr;
  }
  if (std::optional<std::string> why = QtPlatformProblem()) {
    problem = *why;
    return nullptr;
  }
  auto made = std::make_shared<SharedApplication>();
  current = made;
  return made;
}

SharedApplication::SharedApplication()
    : application_(std::make_unique<QApplication>(argc_, argv_)) {
  // One style and one font everywhere, so that windows look and measure the same on
  // every desktop.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSize(9);
  QApplication::setFont(font);
  // Every window title, message boxes included, then ends with the tool's name.
  QGuiApplication::setApplicationDisplayName(QStringLiteral("hcdtool"));
  RadioButtonAccessible::Install();
  ComboBoxAccessible::Install();
  LiveStatus::Install();
  InstallMessageFilter();
}

SharedApplication::~SharedApplication() = default;
