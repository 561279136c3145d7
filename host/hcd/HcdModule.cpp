#include "hcd/HcdModule.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "hcd/CHcdInstance.h"
#include "text/TextEscape.h"

namespace {

std::string LastDlError() {
  const char* text = dlerror();
  return text != nullptr ? text : "unknown reason";
}

}  // namespace

std::unique_ptr<HcdModule> HcdModule::Open(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int error = errno;
    throw HcdLoadError("cannot load handler module " + ShownPath(path) + ": " +
                       std::strerror(error));
  }
  if (S_ISDIR(st.st_mode))
    throw HcdLoadError("cannot load handler module " + ShownPath(path) + ": it is a folder");
  // The loader would read a device or a pipe without end.
  if (!S_ISREG(st.st_mode))
    throw HcdLoadError("cannot load handler module " + ShownPath(path) +
                       ": it is not a regular file");

  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr)
    throw HcdLoadError("cannot load handler module " + ShownPath(path) + ": " + LastDlError());

  dlerror();
  auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, "HCDProc"));
  if (entry == nullptr) {
    dlclose(handle);
    throw HcdLoadError("handler module " + ShownPath(path) + " does not export HCDProc");
  }

  CHcdInstance instance(true);
  entry(&instance);
  if (instance.Attached() == nullptr) {
    dlclose(handle);
    const rr::RRString& reason = instance.AttachFailure();
    if (!reason.empty())
      throw HcdLoadError("handler module " + ShownPath(path) +
                         " attached no handler: " + reason.str());
    throw HcdLoadError("handler module " + ShownPath(path) +
                       " attached no handler when HCDProc was called");
  }
  return std::unique_ptr<HcdModule>(new HcdModule(path, handle, entry, instance.Attached()));
}

HcdModule::HcdModule(std::string path, void* handle, EntryPoint entry, CHcdWrapper* wrapper)
    : m_path(std::move(path)), m_handle(handle), m_entry(entry), m_wrapper(wrapper) {}

HcdModule::~HcdModule() {
  CHcdInstance instance(false);
  m_entry(&instance);
  dlclose(m_handle);
}
