#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// The framework's texts are bytes of the host's 8-bit character set; Latin-1 maps
// every byte to one character and back, so a text shown in a widget and read again
// comes back byte for byte. A character typed that Latin-1 lacks reads as '?'; the
// framework refuses such a text on save (UiWindow::UnstorableCharacter).
inline QString ToQString(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The first character of the text that Latin-1 lacks, as a code point (a pair of
// surrogates taken as the one character it encodes), or none.
inline std::optional<char32_t> FirstBeyondLatin1(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.unicode() <= 0xFF) continue;
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
      return QChar::surrogateToUcs4(c, text[i + 1]);
    return c.unicode();
  }
  return std::nullopt;
}

inline std::string ToBytes(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
