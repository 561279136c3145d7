#include "ui/CDialogEx.h"

IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

CDialogEx::CDialogEx(int templateId, CWnd* parent) : CDialog(templateId, parent) {}

CDialogEx::~CDialogEx() = default;
