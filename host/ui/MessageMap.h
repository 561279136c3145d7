#pragma once

#include "ui/WinConstants.h"

class CWnd;

// One route of a message map: a control's notification to a member function.
struct MessageMapEntry {
  int notifyCode;
  int controlId;
  void (CWnd::*handler)();
};

// A class's routes and the map of its base class, searched after them.
struct MessageMap {
  const MessageMap* (*base)();
  const MessageMapEntry* entries;  // ended by an entry with a null handler
};

// In the class body: DECLARE_MESSAGE_MAP(). In its source file:
//   BEGIN_MESSAGE_MAP(CMyDialog, CDialogEx)
//     ON_BN_CLICKED(IDC_ADD, &CMyDialog::OnAdd)
//   END_MESSAGE_MAP()
// Handlers take no arguments; the first route that matches wins.
#define DECLARE_MESSAGE_MAP()                     \
 protected:                                       \
  static const ::MessageMap* GetThisMessageMap(); \
  const ::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
  const ::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const ::MessageMap* theClass::GetThisMessageMap() {                                 \
    using TheBaseClass = baseClass;                                                   \
    static const ::MessageMapEntry entries[] = {
#define ON_CONTROL(code, id, memberFxn) {(code), (id), static_cast<void (::CWnd::*)()>(memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_LVN_ITEMCHANGED(id, memberFxn) ON_CONTROL(LVN_ITEMCHANGED, id, memberFxn)
#define ON_DTN_DATETIMECHANGE(id, memberFxn) ON_CONTROL(DTN_DATETIMECHANGE, id, memberFxn)
#define END_MESSAGE_MAP()                                                   \
  { 0, 0, nullptr }                                                         \
  }                                                                         \
  ;                                                                         \
  static const ::MessageMap map{&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                              \
  }
