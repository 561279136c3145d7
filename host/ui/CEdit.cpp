#include "ui/CEdit.h"

CEdit::~CEdit() = default;
