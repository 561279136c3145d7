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
  // On a desktop, its platform theme (Plasma's, qt6ct's, GNOME's) gives the style and
  // the font, as it does to every other Qt application there. Where no desktop is
  // behind the platform, one fixed look, so that what is pictured and measured there
  // comes out the same on every machine.
  if (LookIsFixed()) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(FixedFont(9));
  }
  // Every window title, message boxes included, then ends with the tool's name.
  QGuiApplication::setApplicationDisplayName(QStringLiteral("hcdtool"));
  RadioButtonAccessible::Install();
  ComboBoxAccessible::Install();
  LiveStatus::Install();
  InstallMessageFilter();
}

SharedApplication::~SharedApplication() = default;

bool SharedApplication::LookIsFixed() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QFont SharedApplication::FixedFont(int pointSize) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSize(pointSize);
  font.setStyleHint(QFont::SansSerif);
  return font;
}
