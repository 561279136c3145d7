#pragma once

#include <string>

class CHandlerPrivateProps;

// The configuration of FILE for a command that saves it: a missing or empty file is
// a configuration that does not exist yet (the bag stays empty); a missing folder is
// an error.
void LoadExistingConfiguration(const std::string& path, CHandlerPrivateProps& bag);

// Refuses up front what the save would refuse at the end (a read-only file, a
// folder the caller may not write in), so the user does not edit for nothing.
void CheckWritable(const std::string& path);
