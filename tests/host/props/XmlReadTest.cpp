#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"

namespace {

constexpr const char* kDecl = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

std::string Doc(const std::string& body) { return std::string(kDecl) + body; }

// A document holding one String property "V" whose element content is given.
std::string TextDoc(const std::string& content) {
  return Doc("<Properties>\n<Property Name=\"V\" Type=\"String\">" + content +
             "</Property>\n</Properties>\n");
}

std::string Nested(int depth) {
  std::string open, close;
  for (int i = 0; i < depth; ++i) {
    open += "<Property Name=\"L\">";
    close += "</Property>";
  }
  return "<Properties>\n" + open + close + "\n</Properties>";
}

struct ErrorCase {
  std::string input;
  int line;
  std::string fragment;
};

TEST(XmlReadTest, RefusesMalformedDocumentsNamingTheLine) {
  const ErrorCase cases[] = {
      // Not a document, or not well-formed.
      {"", 1, "the document is empty"},
      {" \r\n\t\n", 1, "the document is empty"},
      {kDecl, 2, "no root element"},
      {"<Properties>\n<Property Name=\"a\">\n", 2, "not well-formed XML"},
      {Doc("<Properties>\n<Property Name=\"a\" Type=\"Int\">1</Propert>\n</Properties>"), 3,
       "not well-formed XML"},
      {"<Properties/>\njunk", 2, "text outside the root element"},
      {"<Properties/>\n<Properties/>", 2, "unexpected element \"Properties\" after the root"},
      {"\n<?xml version=\"1.0\"?><Properties/>", 2, "XML declaration is not at the start"},
      {std::string("<Properties>\n\x01</Properties>"), 2, "byte 0x01 is not allowed in XML"},
      {std::string("<Properties>\n<Property Name=\"a\" Type=\"String\">\n\0</Property>", 60), 3,
       "byte 0x00 is not allowed in XML"},
      // Not a configuration.
      {Doc("<Props>\n</Props>"), 2, "the root element is \"Props\", expected \"Properties\""},
      {Doc("<Properties Version=\"1\"/>"), 2, "unexpected attribute \"Version\""},
      {Doc("<Properties>\n  <Property Type=\"Int\">1</Property>\n</Properties>"), 3,
       "property without Name"},
      {Doc("<Properties>\n  <Property Name=\"SID\" Type=\"String\">A</Property>\n"
           "  <Property Name=\"SID\" Type=\"String\">B</Property>\n</Properties>"),
       4, "duplicate property name \"SID\""},
      {Doc("<Properties>\n<Property Name=\"G\">\n<Property Name=\"X\"/>\n"
           "<Property Name=\"X\" Type=\"Bool\">true</Property>\n</Property>\n</Properties>"),
       5, "duplicate property name \"X\""},
      {Doc("<Properties>\n<Property Name=\"a\" Name=\"b\"/>\n</Properties>"), 3,
       "duplicate attribute \"Name\""},
      {Doc("<Properties>\n<Property Name=\"a\" Value=\"1\"/>\n</Properties>"), 3,
       "unexpected attribute \"Value\""},
      {Doc("<Properties>\n<Property Name=\"N\" Type=\"Integer\">1</Property>\n</Properties>"), 3,
       "unknown type \"Integer\""},
      {Doc("<Properties>\n<Property Name=\"N\" Type=\"\">1</Property>\n</Properties>"), 3,
       "unknown type \"\""},
      {Doc("<Properties>\n<Property Name=\"G\" Type=\"String\">\n"
           "<Property Name=\"X\" Type=\"Int\">1</Property>\n</Property>\n</Properties>"),
       3, "property \"G\" has a Type and child properties"},
      {Doc("<Properties>\n<Value/>\n</Properties>"), 3, "unexpected element \"Value\""},
      {Doc("<Properties>\n<Property Name=\"G\">\n<Value/></Property>\n</Properties>"), 4,
       "unexpected element \"Value\""},
      {Doc("<Properties>\n<Property Name=\"S\" Type=\"String\">a<b/>c</Property>\n</Properties>"),
       3, "unexpected element \"b\""},
      {Doc("<Properties>\n<Property Name=\"G\">\ntext</Property>\n</Properties>"), 4,
       "unexpected text in a property without Type"},
      {Doc("<Properties>\nloose\n</Properties>"), 3, "unexpected text in \"Properties\""},
      {Nested(101), 2, "nested deeper than 100 levels"},
      // Values that do not parse as their type.
      {Doc("<Properties>\n<Property Name=\"B\" Type=\"Bool\">True</Property>\n</Properties>"), 3,
       "property \"B\": the value is not a Bool"},
      {Doc("<Properties>\n<Property Name=\"B\" Type=\"Bool\"> true</Property>\n</Properties>"), 3,
       "is not a Bool"},
      {Doc("<Properties>\n<Property Name=\"B\" Type=\"Bool\"/>\n</Properties>"), 3,
       "is not a Bool"},
      {Doc("<Properties>\n<Property Name=\"B\" Type=\"Bool\">1</Property>\n</Properties>"), 3,
       "is not a Bool"},
      // References and encodings. A fault in a value's text names the line only; one
      // in a name quotes it.
      {TextDoc("&foo;"), 3, "unknown entity reference"},
      {TextDoc("a & b"), 3, "'&' that starts no reference"},
      {TextDoc("a &amp b;"), 3, "'&' that starts no reference"},
      {TextDoc("&#X43;"), 3, "malformed character reference"},
      {TextDoc("&#1;"), 3, "character reference stands for a character XML cannot carry"},
      {TextDoc("&#0;"), 3, "XML cannot carry"},
      {TextDoc("&#xD800;"), 3, "XML cannot carry"},
      {TextDoc("&#x100;"), 3, "character reference beyond ISO-8859-1"},
      {TextDoc("&#99999999999999999999;"), 3, "XML cannot carry"},
      {TextDoc("&#x;"), 3, "malformed character reference"},
      {TextDoc("&#12a;"), 3, "malformed character reference"},
      {TextDoc("first\nsecond\n\nthen &bad; here"), 6, "unknown entity reference"},
      {TextDoc("<![CDATA[\n]]>\n&bad;"), 5, "unknown entity reference"},
      {Doc("<Properties>\n<Property Name=\"a&bad;\"/>\n</Properties>"), 3,
       "unknown entity reference \"&bad;\""},
      {Doc("<Properties>\n<Property Name=\"a&#x100;\"/>\n</Properties>"), 3,
       "character U+0100 is beyond ISO-8859-1 (reference \"&#x100;\")"},
      {"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<Properties/>", 1,
       "unsupported encoding \"UTF-16\""},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Properties>\n"
       "<Property Name=\"V\" Type=\"String\">caf\xE9</Property>\n</Properties>",
       3, "a byte that is not valid UTF-8"},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Properties>\n"
       "<Property Name=\"caf\xE9\" Type=\"String\">x</Property>\n</Properties>",
       3, "byte 0xE9 is not valid UTF-8"},
      {"<Properties>\n<Property Name=\"V\" Type=\"String\">\xC4\x80</Property>\n</Properties>", 2,
       "a character beyond ISO-8859-1"},
      {"<Properties>\n<Property Name=\"V\" Type=\"String\">\xED\xA0\x80</Property>\n</Properties>",
       2, "not valid UTF-8"},
      // No DOCTYPE is ever honoured: no entity is expanded, internal or external.
      {Doc("<!DOCTYPE Properties [\n"
           "  <!ENTITY lol \"lol\">\n"
           "  <!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
           "  <!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;\">\n"
           "]>\n"
           "<Properties>\n<Property Name=\"V\" Type=\"String\">&lol2;</Property>\n</Properties>"),
       2, "DOCTYPE declarations are not allowed"},
      {"<!DOCTYPE Properties [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]>\n"
       "<Properties><Property Name=\"V\" Type=\"String\">&xxe;</Property></Properties>",
       1, "DOCTYPE declarations are not allowed"},
      {Doc("\n<!DOCTYPE Properties SYSTEM \"http://example.invalid/p.dtd\">\n<Properties/>"), 3,
       "DOCTYPE declarations are not allowed"},
      {Doc("<!DOCTYPE Properties [ <!ENTITY x \"unterminated> ]>\n<Properties/>"), 2,
       "DOCTYPE declarations are not allowed"},
  };
  for (const ErrorCase& c : cases) {
    CHandlerPrivateProps bag;
    try {
      bag.fromXML(c.input);
      ADD_FAILURE() << "accepted: " << c.input;
    } catch (const XmlError& error) {
      const std::string message = error.what();
      EXPECT_EQ(error.line(), c.line) << message << "\nin: " << c.input;
      EXPECT_EQ(message.rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << message;
      EXPECT_NE(message.find(c.fragment), std::string::npos)
          << "expected \"" << c.fragment << "\" in: " << message;
    }
  }
}

// The reader cannot tell a password from any other value, so a fault in a value
// names the property and the line, and shows nothing of the value itself.
TEST(XmlReadTest, AFaultInAValueShowsNothingOfIt) {
  const struct {
    const char* declaration;
    const char* type;
    std::string value;
    std::vector<std::string> hidden;  // parts of the value that must not show
  } cases[] = {
      {kDecl, "Int", "Zq9Wv7xK", {}},
      {kDecl, "Bool", "Zq9Wv7xK", {}},
      {kDecl, "String", "Zq9&Wv7xK;", {"Wv7xK"}},
      {kDecl, "String", "Zq9&#x100;", {"100", "U+"}},
      {kDecl, "String", "Zq9&#xZZ;", {"#xZZ"}},
      {kDecl, "String", "Zq9&#1;", {"#1;"}},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", "String", "Zq9\xE9xK", {"E9", "\xE9"}},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", "String", "Zq9\xC4\x80xK", {"100", "U+"}},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n",
       "String",
       "<![CDATA[Zq9\xE9xK]]>",
       {"E9", "\xE9"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    CHandlerPrivateProps bag;
    try {
      bag.fromXML(std::string(c.declaration) + "<Properties>\n<Property Name=\"Password\" Type=\"" +
                  c.type + "\">" + c.value + "</Property>\n</Properties>\n");
      ADD_FAILURE() << "accepted";
    } catch (const XmlError& error) {
      const std::string message = error.what();
      EXPECT_EQ(error.line(), 3) << message;
      std::vector<std::string> hidden = c.hidden;
      for (std::size_t i = 0; i + 3 <= std::string_view("Zq9Wv7xK").size(); ++i)
        hidden.push_back(std::string("Zq9Wv7xK").substr(i, 3));
      hidden.push_back("xK");
      for (const std::string& part : hidden)
        EXPECT_EQ(message.find(part), std::string::npos) << part << " in: " << message;
    }
  }
}

TEST(XmlReadTest, RefusesIntsThatAreNotSigned32BitDecimals) {
  for (const char* value : {"2147483648", "-2147483649", "99999999999", "12a", "+1", " 1", "1 ", "",
                            "-", "0x10", "1.0", "1e3", "\xEF\xBC\x91"}) {
    CHandlerPrivateProps bag;
    try {
      bag.fromXML(Doc("<Properties>\n<Property Name=\"N\" Type=\"Int\">" + std::string(value) +
                      "</Property>\n</Properties>"));
      ADD_FAILURE() << "accepted \"" << value << "\"";
    } catch (const XmlError& error) {
      EXPECT_EQ(error.line(), 3);
      EXPECT_NE(std::string(error.what()).find("is not an Int"), std::string::npos) << error.what();
    }
  }
}

TEST(XmlReadTest, ReadsIntLimitsAndLeadingZeros) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {{"2147483647", 2147483647},
               {"-2147483648", -2147483647 - 1},
               {"0", 0},
               {"-0", 0},
               {"007", 7}};
  for (const auto& c : cases) {
    CHandlerPrivateProps bag;
    bag.fromXML(Doc("<Properties><Property Name=\"N\" Type=\"Int\">" + std::string(c.text) +
                    "</Property></Properties>"));
    std::int32_t value = 1;
    bag.GetValueFromProperty("N", value, 1);
    EXPECT_EQ(value, c.value) << c.text;
  }
}

// What the element content of a String property reads as.
std::string ReadText(const std::string& document) {
  CHandlerPrivateProps bag;
  bag.fromXML(document);
  const CPrivateProperty* v = bag.Properties().find("V");
  EXPECT_NE(v, nullptr);
  EXPECT_EQ(v != nullptr ? v->Type() : CPrivateProperty::EType::None,
            CPrivateProperty::EType::String);
  return v != nullptr ? v->StringValue() : "";
}

TEST(XmlReadTest, ResolvesReferencesAndKeepsTextsAsTheyStand) {
  const struct {
    std::string content;
    std::string text;
  } cases[] = {
      {"&lt;&gt;&amp;&apos;&quot;", "<>&'\""},
      {"&#65;&#x42;&#x0043;&#233;&#xff;&#13;&#9;&#10;&#0000000000000000000065;",
       "ABC\xE9\xFF\r\t\nA"},
      {"a\r\nb\rc\n", "a\r\nb\rc\n"},  // no line-end folding
      {"   ", "   "},
      {"", ""},
      {" \xE9t\xE9 ", " \xE9t\xE9 "},
      {"<![CDATA[a<b&amp;]]>", "a<b&amp;"},
      {"x<!-- note -->y<?pi data?>z", "xyz"},
      {" <![CDATA[\r\n]]> ", " \r\n "},
      {"]]&gt; &#x26;amp;", "]]> &amp;"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadText(TextDoc(c.content)), c.text) << c.content;
  EXPECT_EQ(ReadText(Doc("<Properties><Property Name=\"V\" Type=\"String\"/></Properties>")), "");
}

TEST(XmlReadTest, DecodesByTheDeclaredEncoding) {
  const std::string body =
      "<Properties><Property Name=\"V\" Type=\"String\">caf\xC3\xA9</Property></Properties>";
  EXPECT_EQ(ReadText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body), "caf\xE9");
  EXPECT_EQ(ReadText(body), "caf\xE9");  // XML's default
  EXPECT_EQ(ReadText("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>" + body), "caf\xC3\xA9");
  EXPECT_EQ(ReadText("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Properties>"
                     "<Property Name=\"V\" Type=\"String\"><![CDATA[\xC3\xBF]]>&#xFF;</Property>"
                     "</Properties>"),
            "\xFF\xFF");
}

TEST(XmlReadTest, ReadsGroupsNamesAndOrder) {
  CHandlerPrivateProps bag;
  bag.fromXML(
      Doc("<!-- written by hand -->\n"
          "<Properties>\n"
          "  <Property Name='Z' Type='Bool'>false</Property>\n"
          "  <Property Name=\"Group\">\n"
          "    <Property Name=\"SID\" Type=\"String\">inner</Property>\n"
          "    <Property Name=\"Empty\"></Property>\n"
          "  </Property>\n"
          "  <Property Name=\"SID\" Type=\"String\">outer</Property>\n"
          "  <Property Name=\"a&amp;&#9;&#10;b\"/>\n"
          "  <Property Name=\"\" Type=\"Int\">5</Property>\n"
          "</Properties>\n"));

  CHandlerPrivateProps expected;
  expected.SetValueToProperty("Z", false);
  CPrivateProperty& group = expected.Properties()["Group"];
  group.SetValueToProperty("SID", "inner");
  group.Properties()["Empty"];
  expected.SetValueToProperty("SID", "outer");
  expected.Properties()["a&\t\nb"];
  expected.SetValueToProperty("", std::int32_t{5});
  EXPECT_TRUE(bag == expected);
}

TEST(XmlReadTest, FindsDuplicatesAmongManySiblings) {
  for (const int siblings : {3, 16, 17, 40}) {
    SCOPED_TRACE(siblings);
    std::string body = "<Properties>\n";
    for (int i = 0; i < siblings; ++i) {
      body += "<Property Name=\"P" + std::to_string(i) + "\" Type=\"Int\">" + std::to_string(i) +
              "</Property>\n";
    }
    CHandlerPrivateProps bag;
    bag.fromXML(Doc(body + "</Properties>"));
    ASSERT_EQ(bag.Properties().size(), static_cast<std::size_t>(siblings));
    for (int i = 0; i < siblings; ++i) {
      const CPrivateProperty* child = bag.Properties().find("P" + std::to_string(i));
      ASSERT_NE(child, nullptr);
      EXPECT_EQ(child->IntValue(), i);
    }
    // The duplicate of the second sibling stands on the line after the last one.
    try {
      bag.fromXML(Doc(body + "<Property Name=\"P1\"/>\n</Properties>"));
      ADD_FAILURE() << "the duplicate was read";
    } catch (const XmlError& error) {
      EXPECT_EQ(error.line(), siblings + 3);
      EXPECT_NE(std::string(error.what()).find("duplicate property name \"P1\""),
                std::string::npos);
    }
    EXPECT_EQ(bag.Properties().size(), static_cast<std::size_t>(siblings));
  }
}

TEST(XmlReadTest, DecodesTextsOfEveryLength) {
  for (const std::size_t plain : {0, 1, 62, 63, 64, 65, 200}) {
    SCOPED_TRACE(plain);
    const std::string run(plain, 'x');
    CHandlerPrivateProps bag;
    bag.fromXML(Doc("<Properties>\n<Property Name=\"" + run + "\" Type=\"String\">" + run +
                    "</Property>\n<Property Name=\"" + run + "&amp;\" Type=\"String\">" + run +
                    "&lt;&#233;</Property>\n</Properties>"));
    ASSERT_EQ(bag.Properties().size(), 2u);
    ASSERT_NE(bag.Properties().find(run), nullptr);
    EXPECT_EQ(bag.Properties().find(run)->StringValue(), run);
    ASSERT_NE(bag.Properties().find(run + "&"), nullptr);
    EXPECT_EQ(bag.Properties().find(run + "&")->StringValue(), run + "<\xE9");
  }
}

TEST(XmlReadTest, ARefusedDocumentLeavesTheBagAsItWas) {
  CHandlerPrivateProps bag;
  bag.fromXML(Doc("<Properties><Property Name=\"Kept\" Type=\"Int\">1</Property></Properties>"));
  const CHandlerPrivateProps before = bag;
  // The fault comes after properties that would have been read.
  EXPECT_THROW(bag.fromXML(Doc("<Properties>\n"
                               "<Property Name=\"New\" Type=\"String\">x</Property>\n"
                               "<Property Name=\"G\"><Property Name=\"Y\" Type=\"Int\">2</Property>"
                               "</Property>\n"
                               "<Property Name=\"Bad\" Type=\"Int\">x</Property>\n"
                               "</Properties>")),
               XmlError);
  EXPECT_TRUE(bag == before);

  bag.fromXML(Doc("<Properties/>"));
  EXPECT_TRUE(bag.Properties().empty());
}

TEST(XmlReadTest, ReadsLargeTextsWhole) {
  std::string big;
  for (int i = 0; i < 200000; ++i) big += "ab&<\r\xE9\n";
  CHandlerPrivateProps bag;
  bag.SetValueToProperty("Big", rr::RRString(big));
  bag.SetValueToProperty("Small", "s");
  CHandlerPrivateProps read;
  read.fromXML(bag.toXML());
  EXPECT_TRUE(read == bag);
}

}  // namespace
