#include "tool/ui/EditFileChooser.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <utility>

#include "tool/ToolError.h"
#include "tool/ui/ToolUi.h"
#include "ui/AfxFunctions.h"
#include "ui/CDialogEx.h"
#include "ui/CFileDialog.h"
#include "ui/MessageMap.h"
#include "ui/TemplateRegistry.h"
#include "ui/backend/ScopedUiBackend.h"

namespace {

// The tool's own question, in a range of ids that no module's templates take.
constexpr int kKindDialog = 30100;
constexpr int kKindQuestion = 30101;
constexpr int kKindHandler = 30102;
constexpr int kKindStatic = 30103;
constexpr int kKindDynamic = 30104;

DialogTemplate KindTemplate() {
  using K = ControlKind;
  using S = ControlStyle;
  DialogTemplate dialog;
  dialog.id = kKindDialog;
  dialog.title = "Kind of configuration";
  dialog.width = 220;
  dialog.height = 98;
  dialog.style = DialogStyle::ModalFrame | DialogStyle::Caption | DialogStyle::SysMenu;
  dialog.controls = {
      {kKindQuestion, K::Label, "", {7, 7, 206, 18}},
      {kKindHandler,
       K::RadioButton,
       "&Handler configuration",
       {14, 30, 150, 10},
       S::AutoRadio | S::Group},
      {kKindStatic, K::RadioButton, "&Static record set", {14, 44, 150, 10}, S::AutoRadio},
      {kKindDynamic, K::RadioButton, "&Dynamic record set", {14, 58, 150, 10}, S::AutoRadio},
      {IDOK, K::PushButton, "OK", {109, 77, 50, 14}, S::DefaultButton | S::Group},
      {IDCANCEL, K::PushButton, "Cancel", {163, 77, 50, 14}},
  };
  return dialog;
}

// A file name, UTF-8 as the file system gives it, in the framework's Latin-1; what
// Latin-1 has no place for shows as '?'.
std::string Latin1FileName(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  std::string shown;
  for (std::size_t i = 0; i < name.size();) {
    const auto lead = static_cast<unsigned char>(name[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0x80) {
      shown += static_cast<char>(lead);
    } else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < name.size() &&
               (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80) {
      shown += static_cast<char>(((lead & 0x03) << 6) | (name[i + 1] & 0x3F));
    } else {
      shown += '?';
    }
    i += length;
  }
  return shown;
}

// Asks what a file holds whose place in no configuration tree says it. Nothing is
// taken for granted: a page of the wrong kind would write its own properties into
// the file, so OK waits until a kind is chosen.
class KindQuestion : public CDialogEx {
 public:
  explicit KindQuestion(std::string fileName)
      : CDialogEx(kKindDialog), fileName_(std::move(fileName)) {}

  std::optional<ConfigKind> Kind() const { return kind_; }

 protected:
  bool OnInitDialog() override {
    CDialogEx::OnInitDialog();
    SetDlgItemText(kKindQuestion, fileName_ + " is in no configuration tree. What does it hold?");
    GetDlgItem(IDOK)->EnableWindow(false);
    return true;
  }

  void OnChosen() { GetDlgItem(IDOK)->EnableWindow(true); }

  void OnOK() override {
    constexpr std::pair<int, ConfigKind> kinds[] = {{kKindHandler, ConfigKind::Handler},
                                                    {kKindStatic, ConfigKind::Static},
                                                    {kKindDynamic, ConfigKind::Dynamic}};
    for (const auto& [id, kind] : kinds) {
      if (IsDlgButtonChecked(id) == BST_CHECKED) kind_ = kind;
    }
    if (kind_) EndDialog(IDOK);
  }

  DECLARE_MESSAGE_MAP()

 private:
  std::string fileName_;
  std::optional<ConfigKind> kind_;
};

BEGIN_MESSAGE_MAP(KindQuestion, CDialogEx)
ON_BN_CLICKED(kKindHandler, &KindQuestion::OnChosen)
ON_BN_CLICKED(kKindStatic, &KindQuestion::OnChosen)
ON_BN_CLICKED(kKindDynamic, &KindQuestion::OnChosen)
END_MESSAGE_MAP()

// The kind the user says the file holds; nothing when they would rather choose
// another file.
std::optional<ConfigKind> AskKind(const std::string& path) {
  static const int owner = 0;
  if (!TemplateRegistry::Instance().Register(&owner, {KindTemplate()}))
    throw std::logic_error("the template of the kind question could not be registered");
  struct Withdraw {
    ~Withdraw() { TemplateRegistry::Instance().Withdraw(&owner); }
  } withdraw;
  KindQuestion question(Latin1FileName(path));
  if (question.DoModal() != IDOK) return std::nullopt;
  return question.Kind();
}

}  // namespace

std::optional<ChosenEditFile> ChooseFileToEdit(const std::string& scriptPath,
                                               const std::optional<ConfigKind>& given) {
  const bool inWindow = scriptPath.empty();
  ChosenEditFile chosen;
  if (inWindow) {
    try {
      chosen.ui = InstallUi(scriptPath);
    } catch (const std::runtime_error& e) {
      throw UsageError(std::string("expected one FILE (no file chooser can be shown: ") + e.what() +
                       ")");
    }
  } else {
    chosen.ui = InstallUi(scriptPath);
  }

  for (;;) {
    CFileDialog dialog(true, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       "Configurations (*.xml)|*.xml|All Files (*)|*||");
    if (dialog.DoModal() != IDOK) return std::nullopt;
    chosen.path = dialog.GetPathName();
    if (const std::optional<ConfigKind> kind = given ? given : KindOfPlaceIfAny(chosen.path)) {
      chosen.kind = *kind;
      return chosen;
    }
    // Started from a menu, nobody can add an option to the command line: the user
    // says what the file holds, or goes back to choose another.
    if (inWindow) {
      if (const std::optional<ConfigKind> kind = AskKind(chosen.path)) {
        chosen.kind = *kind;
        return chosen;
      }
      continue;
    }
    chosen.kind = KindOfPlace(chosen.path, given);
    return chosen;
  }
}
