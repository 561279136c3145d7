#include "ui/CStatic.h"

CStatic::~CStatic() = default;
