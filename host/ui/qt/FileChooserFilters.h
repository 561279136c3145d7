#pragma once

#include <QStringList>
#include <vector>

#include "ui/backend/FileChooserRequest.h"

// Qt's name filters for a chooser's type list. Qt reads the patterns from the last
// parentheses of a filter, so a description that ends with exactly its own patterns
// ("CSV Files (*.csv)", or "Data (*.ics;*.csv)" as Windows writes several) is used
// with them blank-separated, and any other gets them appended.
QStringList QtNameFilters(const std::vector<FileFilter>& filters);
