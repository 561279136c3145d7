#include "ui/qt/QtUiBackend.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QSettings>
#include <stdexcept>

#include "ui/qt/FileChooserFilters.h"
#include "ui/qt/Latin1.h"
#include "ui/qt/QtPropertySheet.h"
#include "ui/qt/QtUiWindow.h"
#include "ui/qt/SharedApplication.h"

namespace {

// The widget a message box or chooser stays in front of: the owner's window, else
// the dialog the user is in.
QWidget* OwnerWidget(UiWindow* owner) {
  if (auto* window = dynamic_cast<QtUiWindow*>(owner)) return window->TopWidget().window();
  return QApplication::activeModalWidget();
}

QtUiWindow& QtWindow(UiWindow& window) {
  auto* qtWindow = dynamic_cast<QtUiWindow*>(&window);
  if (!qtWindow) throw std::logic_error("the window was not made by the Qt backend");
  return *qtWindow;
}

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(unsigned buttons) {
  switch (buttons) {
    case MB_OKCANCEL:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNO:
      return QMessageBox::Yes | QMessageBox::No;
    case MB_YESNOCANCEL:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default:
      return QMessageBox::Ok;
  }
}

QMessageBox::StandardButton QtButton(int answer) {
  switch (answer) {
    case IDCANCEL:
      return QMessageBox::Cancel;
    case IDYES:
      return QMessageBox::Yes;
    case IDNO:
      return QMessageBox::No;
    default:
      return QMessageBox::Ok;
  }
}

// The answer of a box closed without a button: Cancel where there is one, else the
// only safe answer of the set.
int ClosedAnswer(unsigned buttons) {
  switch (buttons) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
      return IDCANCEL;
    case MB_YESNO:
      return IDNO;
    default:
      return IDOK;
  }
}

constexpr const char* kLastFolderKey = "FileChooser/LastFolder";

// The tool's own settings (~/.config/hcdkelo/hcdtool.conf).
QSettings Settings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("hcdkelo"),
                   QStringLiteral("hcdtool"));
}

void SavePng(QWidget& widget, const std::string& path) {
  // What waits for the event loop (a list's columns fitted to their rows) is done
  // before the picture is taken.
  QCoreApplication::processEvents();
  widget.ensurePolished();
  const QPixmap picture = widget.grab();
  if (picture.isNull() || !picture.save(QFile::decodeName(path.c_str()), "PNG")) {
    throw std::runtime_error("cannot write the picture " + path);
  }
}

}  // namespace

std::unique_ptr<QtUiBackend> QtUiBackend::Create(std::string* problem) {
  std::string why;
  std::shared_ptr<SharedApplication> application = SharedApplication::Acquire(why);
  if (problem != nullptr) *problem = why;
  if (!why.empty()) return nullptr;
  return std::unique_ptr<QtUiBackend>(new QtUiBackend(std::move(application)));
}

QtUiBackend::QtUiBackend(std::shared_ptr<SharedApplication> application)
    : application_(std::move(application)) {}

QtUiBackend::~QtUiBackend() = default;

std::unique_ptr<UiWindow> QtUiBackend::CreateWindow(const DialogTemplate& dialog, WindowRole role,
                                                    UiWindow* parent, UiEventSink& events) {
  QWidget* parentWidget = nullptr;
  if (auto* qtParent = dynamic_cast<QtUiWindow*>(parent)) parentWidget = &qtParent->TopWidget();
  return std::make_unique<QtUiWindow>(dialog, role, parentWidget, events, errors_);
}

bool QtUiBackend::RunPropertySheet(std::string_view caption, std::string_view document,
                                   std::span<const SheetPage> pages,
                                   PropertySheetListener& listener) {
  QtPropertySheet sheet(caption, document, pages, &listener, errors_);
  sheets_.push_back(&sheet);
  struct Pop {
    std::vector<QtPropertySheet*>& sheets;
    ~Pop() { sheets.pop_back(); }
  } pop{sheets_};
  return sheet.Run();
}

void QtUiBackend::ReplaceSheetPage(int index, const SheetPage& page) {
  if (sheets_.empty()) throw std::logic_error("no property sheet is running");
  sheets_.back()->ReplacePage(index, page);
}

int QtUiBackend::MessageBox(UiWindow* owner, const MessageBoxRequest& request) {
  QMessageBox box(QtIcon(request.Icon()), ToQString(request.caption), ToQString(request.text),
                  QtButtons(request.Buttons()), OwnerWidget(owner));
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QtButton(request.DefaultAnswer()));
  const int pressed = box.exec();
  errors_.RethrowIfAny();
  switch (pressed) {
    case QMessageBox::Ok:
      return IDOK;
    case QMessageBox::Cancel:
      return IDCANCEL;
    case QMessageBox::Yes:
      return IDYES;
    case QMessageBox::No:
      return IDNO;
    default:
      return ClosedAnswer(request.Buttons());
  }
}

std::optional<std::string> QtUiBackend::ChooseFile(UiWindow* owner,
                                                   const FileChooserRequest& request) {
  QFileDialog chooser(OwnerWidget(owner));
  // Qt's own dialog on every desktop: the same behaviour everywhere, and one that
  // tests can drive.
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  chooser.setFileMode(request.open && (request.flags & OFN_FILEMUSTEXIST) != 0
                          ? QFileDialog::ExistingFile
                          : QFileDialog::AnyFile);
  if (!request.open && (request.flags & OFN_OVERWRITEPROMPT) == 0) {
    chooser.setOption(QFileDialog::DontConfirmOverwrite);
  }
  const QString folder = StartFolder();
  if (!folder.isEmpty()) chooser.setDirectory(folder);
  const QStringList filters = QtNameFilters(request.filters);
  if (!filters.isEmpty()) chooser.setNameFilters(filters);
  chooser.setDefaultSuffix(ToQString(request.defaultExtension));
  // A name with wildcards only repeats the filter, as "*.csv" does.
  if (!request.initialFileName.empty() &&
      request.initialFileName.find_first_of("*?") == std::string::npos) {
    chooser.selectFile(QFile::decodeName(request.initialFileName.c_str()));
  }
  const bool accepted = chooser.exec() == QDialog::Accepted;
  errors_.RethrowIfAny();
  const QStringList chosen = chooser.selectedFiles();
  if (!accepted || chosen.isEmpty()) return std::nullopt;
  RememberFolder(QFileInfo(chosen.front()).absolutePath());
  const QByteArray path = QFile::encodeName(chosen.front());
  return std::string(path.constData(), static_cast<std::size_t>(path.size()));
}

QString QtUiBackend::StartFolder() const {
  const QString last = Settings().value(kLastFolderKey).toString();
  if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
  for (auto sheet = sheets_.rbegin(); sheet != sheets_.rend(); ++sheet) {
    const std::string& document = (*sheet)->Document();
    if (document.empty()) continue;
    const QString folder = QFileInfo(QFile::decodeName(document.c_str())).absolutePath();
    if (QFileInfo(folder).isDir()) return folder;
  }
  return {};
}

void QtUiBackend::RememberFolder(const QString& folder) {
  QSettings settings = Settings();
  settings.setValue(kLastFolderKey, folder);
}

void QtUiBackend::Beep(unsigned, unsigned) { QApplication::beep(); }

void QtUiBackend::RenderWindowToPng(UiWindow& window, const std::string& path) {
  SavePng(QtWindow(window).TopWidget(), path);
}

void QtUiBackend::RenderSheetToPng(std::string_view caption, std::span<const SheetPage> pages,
                                   int activePage, const std::string& path) {
  QtPropertySheet sheet(caption, {}, pages, nullptr, errors_);
  sheet.ShowPage(activePage);
  sheet.FitToContent();
  SavePng(sheet.Dialog(), path);
}
