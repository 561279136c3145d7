// The one-pass reader of plain documents against the general reader: what it takes
// must read as the same bag the general way, and it must take what the writer writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "props/CHandlerPrivateProps.h"
#include "props/CanonicalXmlReader.h"
#include "props/PropsXmlReader.h"
#include "props/XmlError.h"

namespace fs = std::filesystem;
using props::CanonicalXmlReader;
using props::PropsXmlReader;

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

std::string Doc(const std::string& body) {
  return kDeclaration + "<Properties>\n" + body + "</Properties>\n";
}

// Takes the document either way; when the one-pass reader takes it, the general
// reader must read the same bag.
bool TakenAlike(const std::string& xml) {
  const std::optional<CPrivateProperty> plain = CanonicalXmlReader::Read(xml);
  if (!plain) return false;
  try {
    EXPECT_TRUE(PropsXmlReader::ReadGeneral(xml) == *plain);
  } catch (const XmlError& e) {
    ADD_FAILURE() << "taken in one pass, refused the general way: " << e.what();
  }
  return true;
}

TEST(CanonicalXmlRead, TakesOnlyThePlainFormAndReadsItAsTheGeneralReaderDoes) {
  struct Case {
    const char* what;
    std::string xml;
    bool taken;
  };
  const Case cases[] = {
      {"typed values",
       Doc("  <Property Name=\"S\" Type=\"String\">a b</Property>\n"
           "  <Property Name=\"B\" Type=\"Bool\">false</Property>\n"
           "  <Property Name=\"I\" Type=\"Int\">-2147483648</Property>\n"),
       true},
      {"groups, empty group, empty text",
       Doc("<Property Name=\"G\">\n <Property Name=\"H\">\n  <Property Name=\"X\" "
           "Type=\"String\"></Property>\n </Property>\n <Property Name=\"E\"/>\n</Property>\n"),
       true},
      {"ISO-8859-1 bytes, blanks, a carriage return",
       Doc("<Property Name=\"N\xE9\" Type=\"String\">  \xFF\r\n\t</Property>"), true},
      {"empty root", kDeclaration + "<Properties/>\n", true},
      {"no declaration, ASCII",
       "<Properties><Property Name=\"A\" Type=\"Int\">1</Property>"
       "</Properties>",
       true},
      {"no declaration, a byte above 0x7F",
       "<Properties><Property Name=\"A\" Type=\"String\">"
       "\xC3\xA9</Property></Properties>",
       false},
      {"a reference", Doc("<Property Name=\"A\" Type=\"String\">&amp;</Property>"), false},
      {"a reference in a name", Doc("<Property Name=\"&lt;\" Type=\"String\">x</Property>"), false},
      {"a tab in a name", Doc("<Property Name=\"a\tb\" Type=\"String\">x</Property>"), false},
      {"CDATA", Doc("<Property Name=\"A\" Type=\"String\"><![CDATA[x]]></Property>"), false},
      {"]]> in text", Doc("<Property Name=\"A\" Type=\"String\">]]></Property>"), false},
      {"a comment", Doc("<!-- c --><Property Name=\"A\" Type=\"Int\">1</Property>"), false},
      {"Type before Name", Doc("<Property Type=\"Int\" Name=\"A\">1</Property>"), false},
      {"unknown type", Doc("<Property Name=\"A\" Type=\"Float\">1</Property>"), false},
      {"Bool not true or false", Doc("<Property Name=\"A\" Type=\"Bool\">yes</Property>"), false},
      {"Int out of range", Doc("<Property Name=\"A\" Type=\"Int\">2147483648</Property>"), false},
      {"Int with a blank", Doc("<Property Name=\"A\" Type=\"Int\"> 1</Property>"), false},
      {"typed and empty", Doc("<Property Name=\"A\" Type=\"String\"/>"), false},
      {"duplicate name", Doc("<Property Name=\"A\"/><Property Name=\"A\"/>"), false},
      {"typed with a child",
       Doc("<Property Name=\"A\" Type=\"String\"><Property Name=\"B\"/></Property>"), false},
      {"text in a group", Doc("<Property Name=\"A\">x<Property Name=\"B\"/></Property>"), false},
      {"unclosed", kDeclaration + "<Properties>\n<Property Name=\"A\"/>\n", false},
      {"text after the root", Doc("") + "x", false},
      {"a control byte", Doc("<Property Name=\"A\" Type=\"String\">\x01</Property>"), false},
      {"a zero byte",
       Doc(std::string("<Property Name=\"A\" Type=\"String\">") + '\0' + "</Property>"), false},
      {"a DOCTYPE", "<!DOCTYPE Properties><Properties/>", false},
      {"a byte-order mark", "\xEF\xBB\xBF<Properties/>", false},
      {"another root", kDeclaration + "<Property/>", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TakenAlike(c.xml), c.taken);
  }

  std::string deep;
  for (int i = 0; i < 120; ++i) deep += "<Property Name=\"D\">";
  for (int i = 0; i < 120; ++i) deep += "</Property>";
  EXPECT_FALSE(CanonicalXmlReader::Read(Doc(deep)));
}

TEST(CanonicalXmlRead, TakesWhatTheWriterWrites) {
  CHandlerPrivateProps bag;
  bag.SetValueToProperty("Text", "a\xE9 <b> \"c\" 'd'\r\n");
  bag.SetValueToProperty("Flag", true);
  bag.SetValueToProperty("Number", std::int32_t{-7});
  bag.Properties()["Group"].SetValueToProperty("Inner", "x");
  bag.Properties()["Empty"];
  const std::string xml = bag.toXML();
  // Text with '<', '>', quotes or a carriage return is written with references, which
  // the general reader resolves.
  EXPECT_FALSE(CanonicalXmlReader::Read(xml));
  bag.SetValueToProperty("Text", "plain \xE9 text, here");
  EXPECT_TRUE(TakenAlike(bag.toXML()));
}

// Names and texts are scanned eight bytes at a time: a byte that ends or refuses the
// scan must count wherever it falls in a word, and a word that only may hold one
// (a tab, a ']') must not end the scan early.
TEST(CanonicalXmlRead, SeesEveryByteOfALongNameOrText) {
  struct Case {
    const char* what;
    bool inName;
    std::string bytes;
    bool utf8;
    bool taken;
  };
  const Case cases[] = {
      {"a control byte in a text", false, "\x01", false, false},
      {"a zero byte in a text", false, std::string(1, '\0'), false, false},
      {"a tab in a text", false, "\t", false, true},
      {"a reference in a text", false, "&amp;", false, false},
      {"]]> in a text", false, "]]>", false, false},
      {"a lone ] in a text", false, "]x", false, true},
      {"ISO-8859-1 byte in a text", false, "\xE9", false, true},
      {"UTF-8 in a text", false, "\xC3\xA9", true, false},
      {"a tab in a name", true, "\t", false, false},
      {"a reference in a name", true, "&lt;", false, false},
      {"a lone ] in a name", true, "]", false, true},
      {"ISO-8859-1 byte in a name", true, "\xE9", false, true},
      {"UTF-8 in a name", true, "\xC3\xA9", true, false},
  };
  for (const Case& c : cases) {
    // Past the first word and into the memchr scan of a long text.
    for (std::size_t at = 0; at < 80; ++at) {
      SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(at));
      std::string around(at, 'a');
      around += c.bytes;
      around += std::string(19, 'b');
      const std::string name = c.inName ? around : "N";
      const std::string text = c.inName ? "t" : around;
      const std::string body =
          "<Property Name=\"" + name + "\" Type=\"String\">" + text + "</Property>\n";
      const std::string xml = c.utf8 ? "<Properties>" + body + "</Properties>" : Doc(body);
      EXPECT_EQ(TakenAlike(xml), c.taken);
    }
  }
}

// Every document the suites and the fuzzers keep, whichever way it is taken.
TEST(CanonicalXmlRead, AgreesWithTheGeneralReaderOnEveryKeptDocument) {
  std::size_t documents = 0;
  std::size_t taken = 0;
  for (const char* folder : {FUZZ_CORPUS_DIR, EXAMPLES_DIR, TOOL_FIXTURE_DIR}) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      SCOPED_TRACE(entry.path().string());
      ++documents;
      taken += TakenAlike(xml) ? 1 : 0;
    }
  }
  EXPECT_GT(documents, 40u);
  EXPECT_GT(taken, 10u);
}

}  // namespace
