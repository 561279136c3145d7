#pragma once

#include "rrstring/RRString.h"

class CHcdWrapper;

// The host's side of one HCDProc call: says whether the module is being
// attached (create mode) or detached, and receives the handler's wrapper.
class CHcdInstance {
 public:
  explicit CHcdInstance(bool createMode);
  virtual ~CHcdInstance();

  virtual bool CheckCreateMode();
  virtual bool AttachHcdWrapper(CHcdWrapper* wrapper);
  virtual bool DetachHcdWrapper(CHcdWrapper* wrapper);
  // In create mode, instead of attaching: the module cannot serve, and why (for
  // example, its dialog templates could not be registered). The host refuses the
  // module and reports the reason with its own message.
  virtual void ReportAttachFailure(const rr::RRString& reason);

  // The wrapper attached last, or null.
  CHcdWrapper* Attached() const { return m_attached; }
  // The reason the module gave for not attaching, or empty.
  const rr::RRString& AttachFailure() const { return m_attachFailure; }

 private:
  bool m_createMode;
  CHcdWrapper* m_attached = nullptr;
  rr::RRString m_attachFailure;
};
