#pragma once

#include <QApplication>
#include <QFont>
#include <memory>
#include <string>

// The QApplication that backends created by this library share when the host made
// none: created by the first backend, destroyed with the last one, so that windows
// of a later backend start from a clean application.
class SharedApplication {
 public:
  // The application of the live backends, or a new one. Null when the process
  // already runs a Qt application of its own (then used as it is) or cannot start
  // Qt's platform; `problem` tells the two apart: empty when usable, else why not.
  static std::shared_ptr<SharedApplication> Acquire(std::string& problem);

  // Whether windows have the one look of the platforms with no desktop behind them
  // (offscreen, minimal): the Fusion style and FixedFont. Elsewhere the desktop's
  // platform theme decides.
  static bool LookIsFixed();
  // DejaVu Sans at the size, there on every machine the tool is installed on.
  static QFont FixedFont(int pointSize);

  SharedApplication();
  ~SharedApplication();
  SharedApplication(const SharedApplication&) = delete;
  SharedApplication& operator=(const SharedApplication&) = delete;

 private:
  // QApplication keeps references to its arguments for its whole life.
  int argc_ = 1;
  char name_[8] = "hcdtool";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};
