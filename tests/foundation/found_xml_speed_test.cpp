// The reader parses every element in place in one stripped copy of the document: an element's
// text ends where the first matching close tag after it starts, whatever stands inside.
#include <gtest/gtest.h>

#include <string>

#include "foundation/QuorException.h"
#include "foundation/XmlNode.h"

namespace {

bool Reads(const std::string& text) {
    try {
        CXmlNode doc("ROOT", 0, text);
        return true;
    } catch (const COtherException& e) {
        EXPECT_EQ(e.GetCode(), "OTE0001");
        return false;
    }
}

}  // namespace

TEST(XmlInPlace, ElementTextEndsAtItsFirstCloseTag) {
    // "<b/" is cut off by a's close tag: a tag the element's text ends inside, skipped.
    CXmlNode cut("ROOT", 0, "<a>x<b/</a>y");
    ASSERT_EQ(cut.GetChildren().size(), 1u);
    EXPECT_TRUE(cut.GetChildren()[0]->GetChildren().empty());
    EXPECT_EQ(cut.GetByPath("ROOT.a"), "x");
    EXPECT_EQ(cut.GetByPath("ROOT"), "y");
    EXPECT_EQ(CXmlNode("ROOT", 0, "<a>x<?p</a>").GetByPath("ROOT.a"), "x");

    EXPECT_FALSE(Reads("<a><b>x</a></b>"));  // a holds "<b>x": b never closes
    EXPECT_FALSE(Reads("<a><b></a>"));
    EXPECT_FALSE(Reads("<a>x</a"));
    EXPECT_FALSE(Reads("<ab>x</a></ab>"));  // ab holds "x</a>", a stray close tag
    EXPECT_FALSE(Reads("<ab>x</abc></ab>"));

    CXmlNode siblings("ROOT", 0, "<a><b>1</b><c><b>2</b></c><b>3</b></a><b>4</b>");
    EXPECT_EQ(siblings.Write(), "<a>\n  <b>1</b>\n  <c>\n    <b>2</b>\n  </c>\n  <b>3</b>\n</a>\n<b>4</b>\n");
    EXPECT_EQ(siblings.GetChildren()[0]->GetChildren()[1]->GetChildren()[0]->GetDepth(), 3);
}

TEST(XmlInPlace, LongValuesAndBlanksAtEveryOffset) {
    // Whitespace and tags at every position of a sixteen-byte stretch, and long values.
    for (size_t lead = 0; lead < 40; ++lead) {
        const std::string pad(lead, 'p');
        std::string text =
            pad + " <a b>" + pad + "\t" + pad + "\xE6\x97\xA5 \r\n<c d/>" + pad + "</a b>" + pad;
        CXmlNode doc("ROOT", 0, text);
        ASSERT_EQ(doc.GetChildren().size(), 1u) << lead;
        EXPECT_EQ(doc.GetChildren()[0]->GetName(), "a b");
        EXPECT_EQ(doc.GetByPath("ROOT.a b"), pad + pad + "\xE6\x97\xA5" + pad);
        EXPECT_EQ(doc.GetValue(), pad + pad);
        EXPECT_EQ(StripXmlWhitespace(text),
                  pad + "<a b>" + pad + pad + "\xE6\x97\xA5<c d/>" + pad + "</a b>" + pad);
        EXPECT_FALSE(Reads(text + std::string(lead, 'q') + ">"));
    }
    std::string big(100000, 'x');
    for (size_t i = 0; i < big.size(); i += 37) big[i] = ' ';
    std::string stripped = big;
    std::erase(stripped, ' ');
    CXmlNode doc("ROOT", 0, "<s><v>" + big + "</v><w>" + big + "</w></s>");
    EXPECT_EQ(doc.GetByPath("ROOT.s.v"), stripped);
    EXPECT_EQ(doc.GetByPath("ROOT.s.w"), stripped);
}
