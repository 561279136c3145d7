#pragma once

#include <memory>
#include <stdexcept>
#include <string>

class CHcdWrapper;

// A failure to load a handler module; the message names the file and the reason.
class HcdLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A handler module loaded the way the host loads one: the shared object is opened,
// its HCDProc is called in create mode, and the wrapper it attached is handed out.
// Destroying the module calls HCDProc again in detach mode and unloads it.
class HcdModule {
 public:
  // Throws HcdLoadError for a missing or unloadable file, a missing HCDProc
  // export, or an HCDProc call that attached no wrapper (with the module's reason
  // when it reported one).
  static std::unique_ptr<HcdModule> Open(const std::string& path);
  ~HcdModule();
  HcdModule(const HcdModule&) = delete;
  HcdModule& operator=(const HcdModule&) = delete;

  CHcdWrapper& Wrapper() const { return *m_wrapper; }
  const std::string& Path() const { return m_path; }

 private:
  using EntryPoint = int (*)(class CHcdInstance*);
  HcdModule(std::string path, void* handle, EntryPoint entry, CHcdWrapper* wrapper);

  std::string m_path;
  void* m_handle;
  EntryPoint m_entry;
  CHcdWrapper* m_wrapper;
};
