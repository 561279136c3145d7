#include "ui/CDialogEx.h"

CDialogEx::CDialogEx(int templateId, CWnd* parent) : CDialog(templateId, parent) {}

CDialogEx::~CDialogEx() = default;
