#pragma once

#include <string>

#include "ui/WinConstants.h"
#include "ui/backend/FileChooserRequest.h"

class CWnd;

// The platform's open- or save-file chooser. The filter is in the form
// "CSV Files (*.csv)|*.csv|" (see ParseFileFilter).
class CFileDialog {
 public:
  CFileDialog(bool openFileDialog, const char* defaultExtension = nullptr,
              const char* fileName = nullptr,
              unsigned flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);
  virtual ~CFileDialog();

  // IDOK with a path chosen, IDCANCEL when the user cancelled.
  virtual int DoModal();
  // The full path chosen ("" before DoModal or after Cancel) and its last part.
  std::string GetPathName() const { return path_; }
  std::string GetFileName() const;

  const FileChooserRequest& GetRequest() const { return request_; }

 private:
  FileChooserRequest request_;
  CWnd* parent_;
  std::string path_;
};
