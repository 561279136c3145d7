#pragma once

#include <QString>
#include <string>
#include <string_view>

// The framework's texts are bytes of the host's 8-bit character set; Latin-1 maps
// every byte to one character and back, so a text shown in a widget and read again
// comes back byte for byte. A character typed that Latin-1 lacks reads as '?'.
inline QString ToQString(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToBytes(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
