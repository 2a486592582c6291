#include "files/MarkupText.h"
#include "files/Utf8.h"

#include <gtest/gtest.h>

namespace lumora::files {
namespace {

using namespace std::string_literals;

// A file name that is not UTF-8 ended the run in the JSON writers: each stray byte becomes U+FFFD
// and the rest of the name stays as it was.
TEST(MarkupText, BytesThatAreNotUtf8BecomeReplacementCharacters) {
    EXPECT_EQ(validUtf8("b\xFF"
                        "oard \xC3\x96.kicad_pcb"),
              "b\xEF\xBF\xBD"
              "oard \xC3\x96.kicad_pcb");
    EXPECT_EQ(validUtf8("\xE2\x82"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(validUtf8("R1 \xE2\x82\xAC"), "R1 \xE2\x82\xAC");
}

// JUnit XML with a control character in a name was not well-formed (and said nothing): what XML
// cannot hold is replaced, markup is escaped, and line ends survive an attribute value.
TEST(MarkupText, WritesOnlyWhatXmlCanHold) {
    EXPECT_EQ(markupText("a\x01<b>&\"c\"\x7F"), "a\xEF\xBF\xBD&lt;b&gt;&amp;&quot;c&quot;\x7F");
    EXPECT_EQ(markupText("line\r\n\ttab 'q'"), "line&#13;&#10;&#9;tab &#39;q&#39;");
    EXPECT_EQ(markupText("\xEF\xBF\xBF\xEF\xBF\xBE\xEF\xBF\xBD\xFF"),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(markupText("U1\x1b[0m"), "U1\xEF\xBF\xBD[0m");
    EXPECT_EQ(markupText(""s), "");
}

} // namespace
} // namespace lumora::files
