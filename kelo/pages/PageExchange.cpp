#include "kelo/pages/PageExchange.h"

#include "ui/AfxFunctions.h"
#include "ui/CDataExchange.h"

namespace kelo {

void RefuseExchange(CDataExchange* pDX, int controlId, const char* message) {
  pDX->PrepareCtrl(controlId);
  AfxMessageBox(message, MB_OK | MB_ICONWARNING);
  pDX->Fail();
}

}  // namespace kelo
