#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/TextEscape.h"

// Byte-level pieces of the configuration XML shared by its reader and writer. Texts
// are bytes; a document is read either as ISO-8859-1 (every byte is its own
// character) or as UTF-8 (what a document declaring UTF-8 holds).
namespace props {

enum class SourceEncoding { Latin1, Utf8 };

// Deepest nesting of Property elements read or written. Configurations use two or
// three levels; the bound keeps a hostile document from exhausting the stack of
// the recursive readers, writers and destructors.
constexpr int kMaxPropertyDepth = 100;

// Where in a raw text decoding stopped, and why.
struct TextFault {
  std::size_t at;
  std::string what;
};

// What a raw piece of a document is: references are resolved in content and
// attribute values, not in a CDATA section.
enum class RawKind { Content, Attribute, CData };

// Appends the bytes that raw (as it stands in the document) stands for: references
// resolved, UTF-8 turned into ISO-8859-1. Line ends are kept as they are. Returns
// the first fault; out then holds a partial result. The fault quotes what it found
// only in an attribute (a name): a fault in a value's text shows none of it.
std::optional<TextFault> DecodeText(std::string_view raw, SourceEncoding encoding, RawKind kind,
                                    std::string& out);

// True for the bytes below 0x20 other than tab, line feed and carriage return:
// XML 1.0 cannot carry them, not even as a character reference.
constexpr bool IsForbiddenByte(unsigned char c) {
  return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// Position of the first forbidden byte, npos when there is none.
std::size_t FindForbiddenByte(std::string_view text);

// Append text as element content or as a double-quoted attribute value, so that
// any XML parser reads back the same bytes (a carriage return is a reference, since
// a parser would otherwise fold "\r\n" into "\n"). The text holds no forbidden byte.
void AppendEscapedText(std::string& out, std::string_view text);
void AppendEscapedAttribute(std::string& out, std::string_view text);

// A byte as a message shows it: "0x0B".
std::string ByteName(unsigned char c);

// A name of a document in double quotes for a message, shown by the one rule of
// TextEscape.h and cut after limit bytes. Only names, never a value's text, are shown:
// the password is a value like any other here.
std::string Quoted(std::string_view text, TextBytes bytes = TextBytes::Latin1,
                   std::size_t limit = 60);

}  // namespace props
