#include "kelo/config/ILocalData.h"

namespace kelo {

ILocalData::~ILocalData() = default;

}  // namespace kelo
