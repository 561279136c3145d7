#include "ui/qt/SharedApplication.h"

#include <QFont>
#include <QStyleFactory>

#include "ui/qt/QtPlatformProbe.h"
#include "ui/qt/RadioButtonAccessible.h"

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
}

SharedApplication::~SharedApplication() = default;
