#include "ui/qt/FileChooserFilters.h"

#include "ui/qt/Latin1.h"

QStringList QtNameFilters(const std::vector<FileFilter>& filters) {
  QStringList names;
  for (const FileFilter& filter : filters) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) {
      if (!pattern.empty()) patterns.push_back(ToQString(pattern));
    }
    if (patterns.isEmpty()) patterns.push_back(QStringLiteral("*"));
    const QString own = QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    // Windows descriptions name several patterns the way the filter lists them.
    const QString listed = QLatin1Char('(') + patterns.join(QLatin1Char(';')) + QLatin1Char(')');
    const QString description = ToQString(filter.description).trimmed();
    if (description.endsWith(own)) {
      names.push_back(description);
    } else if (description.endsWith(listed)) {
      names.push_back(description.chopped(listed.size()) + own);
    } else if (description.isEmpty()) {
      names.push_back(own);
    } else {
      names.push_back(description + QLatin1Char(' ') + own);
    }
  }
  return names;
}
