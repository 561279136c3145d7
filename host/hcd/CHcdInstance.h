#pragma once

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

  // The wrapper attached last, or null.
  CHcdWrapper* Attached() const { return m_attached; }

 private:
  bool m_createMode;
  CHcdWrapper* m_attached = nullptr;
};
