#pragma once

#include <string>

class CDataExchange;
class CWnd;
struct DialogTemplate;

// Exchange helpers: the load direction puts the member into the control, the save
// direction reads the control into the member.

void DDX_Text(CDataExchange* pDX, int controlId, std::string& value);
// The save refuses, in a warning box that names the field and the range, any text
// but a decimal number with an optional sign, blanks and tabs around it allowed,
// that fits 32 bits; the member then keeps its value and the exchange fails. Either
// direction tells the control that it holds a whole number (UiWindow::MarkWholeNumber).
void DDX_Text(CDataExchange* pDX, int controlId, int& value);
// The message of that refusal, for a field the user knows by `fieldName`.
std::string WholeNumberMessage(const std::string& fieldName);

// The save direction, before the dialog's own exchange: refuses, naming the field and
// the character in a warning box, an edit box or combo box text field of the dialog
// that holds a character the configuration's 8-bit character set lacks (typed or
// pasted in a window; the text would read it as '?'). The exchange fails on the
// first such control, which then has the focus.
void DDX_StorableTexts(CDataExchange* pDX, const DialogTemplate& dialog);

// The mark of a check box or radio button: BST_UNCHECKED or BST_CHECKED.
void DDX_Check(CDataExchange* pDX, int controlId, int& value);
void DDX_Check(CDataExchange* pDX, int controlId, bool& value);

// Binds the handle to the control, in either direction, when it is not bound yet.
void DDX_Control(CDataExchange* pDX, int controlId, CWnd& control);

// List box: the load selects the first entry that begins with the text (letter case
// ignored) and leaves the selection alone when none does or the text is empty; the save gives the
// selected entry's text, or "" when none is selected.
void DDX_LBString(CDataExchange* pDX, int controlId, std::string& value);
// Combo box: the load as DDX_LBString and, for a combo box with a text field, puts
// the text there when no entry matches; the save gives the text field's text.
void DDX_CBString(CDataExchange* pDX, int controlId, std::string& value);
