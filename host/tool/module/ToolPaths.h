#pragma once

#include <filesystem>
#include <string>

// Where hcdtool finds what it loads at run time. A build tree keeps hcdtool and the
// module in bin/ and the host libraries in lib/; an installed copy keeps the module,
// the host libraries and the Qt backend together in a private folder named by
// hcdtool's run path. Asking the dynamic linker where it found the host libraries
// serves both without hcdtool knowing either layout.

// The folder of the running executable; empty when it cannot be told.
std::filesystem::path ToolFolder();

// The folder the host libraries hcdtool is linked with were loaded from.
std::filesystem::path HostLibraryFolder();

// The module hcdtool loads unless told otherwise: the HCDKELO.hcd beside the running
// executable (a build tree), else the one in the folder of the host libraries (an
// installed copy).
std::string DefaultModulePath();
