#include "hcd/HcdFacets.h"

IHcdIdentity::~IHcdIdentity() = default;
IHcdPropertyPages::~IHcdPropertyPages() = default;
IHcdGeneric::~IHcdGeneric() = default;
IHcdSummary::~IHcdSummary() = default;
IHcdValidation::~IHcdValidation() = default;
IHcdAuditing::~IHcdAuditing() = default;
IHcdPathsValidation::~IHcdPathsValidation() = default;
IHcdUpgrading::~IHcdUpgrading() = default;
