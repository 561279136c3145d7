#include "hcd/IExtraRecordSetInfo.h"

IExtraRecordSetInfo::~IExtraRecordSetInfo() = default;
void IExtraRecordSetInfo::GetFieldNames(std::list<rr::RRString>&) {}
rr::RRString IExtraRecordSetInfo::GetRecordSetName() { return {}; }
long IExtraRecordSetInfo::GetRecordSetId() { return 0; }
long IExtraRecordSetInfo::GetHandlerId() { return 0; }
int IExtraRecordSetInfo::GetRecordCount() { return 0; }
int IExtraRecordSetInfo::GetFieldCount() { return 0; }
bool IExtraRecordSetInfo::IsDynamic() { return false; }
bool IExtraRecordSetInfo::IsReadOnly() { return false; }
rr::RRString IExtraRecordSetInfo::GetServiceName() { return {}; }
rr::RRString IExtraRecordSetInfo::GetDescription() { return {}; }
void IExtraRecordSetInfo::SetPageMode(int) {}
