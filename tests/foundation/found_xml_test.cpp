#include <gtest/gtest.h>

#include "foundation/QuorException.h"
#include "foundation/XmlNode.h"

namespace {

bool Parses(const std::string& text) {
    try {
        CXmlNode doc("ROOT", 0, text);
        return true;
    } catch (COtherException e) {
        EXPECT_EQ(e.GetCode(), "OTE0001");
        EXPECT_EQ(e.GetMessage(), "XMLの構造が不正です。");
        return false;
    }
}

}  // namespace

TEST(XmlNode, EmptyTextAndEmptyElements) {
    CXmlNode empty("ROOT", 0, "");
    EXPECT_TRUE(empty.GetChildren().empty());
    EXPECT_EQ(empty.Write(), "");

    CXmlNode a("ROOT", 0, "<a></a>");
    ASSERT_EQ(a.GetChildren().size(), 1u);
    EXPECT_EQ(a.GetChildren()[0]->GetValue(), "");
    EXPECT_EQ(a.GetChildren()[0]->GetDepth(), 1);
    EXPECT_EQ(a.Write(), "<a></a>\n");

    // Empty-element tags and the header line create no node.
    CXmlNode skipped("ROOT", 0, GetXmlHeader() + "<x><a/><b>1</b></x><c/>");
    ASSERT_EQ(skipped.GetChildren().size(), 1u);
    ASSERT_EQ(skipped.GetChildren()[0]->GetChildren().size(), 1u);
    EXPECT_EQ(skipped.GetByPath("ROOT.x.b"), "1");
}

TEST(XmlNode, WhitespaceNestingAndMixedContent) {
    CXmlNode doc("ROOT", 0, "<a> 1 2 </a>\n\t<b>\r\n  <c>x y</c>\n</b>");
    EXPECT_EQ(doc.GetByPath("ROOT.a"), "12");
    EXPECT_EQ(doc.GetByPath("ROOT.b.c"), "xy");
    EXPECT_EQ(doc.GetChildren()[1]->GetChildren()[0]->GetDepth(), 2);

    CXmlNode mixed("ROOT", 0, "<a>x<b>y</b>z</a>");
    EXPECT_EQ(mixed.GetByPath("ROOT.a"), "xz");
    EXPECT_EQ(mixed.GetByPath("ROOT.a.b"), "y");

    CXmlNode unnamed("ROOT", 0, "<>x</></>");
    ASSERT_EQ(unnamed.GetChildren().size(), 1u);
    EXPECT_EQ(unnamed.GetChildren()[0]->GetName(), "");
    EXPECT_EQ(unnamed.GetChildren()[0]->GetValue(), "x");

    // Blanks inside tags stay: the header keeps them, and so does an odd element name.
    EXPECT_EQ(StripXmlWhitespace("<?xml version=\"1.0\"?> <a b>1 2</a b>"),
              "<?xml version=\"1.0\"?><a b>12</a b>");
    EXPECT_TRUE(Parses("&lt;"));
    EXPECT_EQ(CXmlNode("ROOT", 0, "<a>&lt;</a>").GetByPath("ROOT.a"), "&lt;");
}

TEST(XmlNode, MalformedTextFails) {
    for (const char* bad : {"<a>x</a>>", "<a<b>", "<a>", "<a>x", "</b>", "<a><a>x</a></a>",
                            "<a k=\"1\">x</a>", "<!-- c -->", "<a", "<", "x<", "<a>x</b>"}) {
        EXPECT_FALSE(Parses(bad)) << bad;
    }
    // A text that ends inside a tag beginning with "?" or ending with "/" is accepted.
    EXPECT_TRUE(Parses("<?xml"));
    EXPECT_TRUE(Parses("<a>1</a><b/"));
    // A failure in a child reaches the document.
    EXPECT_FALSE(Parses("<a><b>x</b><c></a>"));
}

TEST(XmlNode, DottedPaths) {
    CXmlNode doc("ROOT", 0, "<a>1</a><a>2</a><n><m>3</m></n>");
    EXPECT_EQ(doc.GetByPath("ROOT.a"), "1");
    EXPECT_EQ(doc.GetByPath("ROOT.n.m"), "3");
    EXPECT_EQ(doc.GetByPath("ROOT.n.x"), "");
    EXPECT_EQ(doc.GetByPath("root.a"), "");  // case-sensitive
    EXPECT_EQ(doc.GetByPath("a"), "");       // a path starts with the document's name
    EXPECT_EQ(doc.GetXmlByPath("ROOT.n"), "<n>\n  <m>3</m>\n</n>\n");
    EXPECT_EQ(doc.GetXmlByPath("ROOT.q"), "");

    const std::string before = doc.Write();
    EXPECT_FALSE(doc.SetByPath("ROOT.n.missing", "v"));
    EXPECT_FALSE(doc.SetByPath("ROOT.missing.m", "v"));
    EXPECT_EQ(doc.Write(), before);
    EXPECT_TRUE(doc.SetByPath("ROOT.n.m", "42"));
    EXPECT_EQ(doc.GetByPath("ROOT.n.m"), "42");
}

TEST(XmlNode, WriteIndentsAndRoundTrips) {
    CXmlNode doc("ROOT", 0, "<clientInfo><network><createrId>12</createrId></network></clientInfo>");
    EXPECT_EQ(doc.Write(),
              "<clientInfo>\n  <network>\n    <createrId>12</createrId>\n  </network>\n</clientInfo>\n");
    const std::string stored = GetXmlHeader() + StripXmlWhitespace(doc.Write());
    EXPECT_EQ(stored,
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
              "<clientInfo><network><createrId>12</createrId></network></clientInfo>");
    CXmlNode again("ROOT", 0, stored);
    EXPECT_EQ(again.Write(), doc.Write());
}

TEST(XmlNode, AngleBracketsNeverEnterAValue) {
    CXmlNode doc("ROOT", 0, "<s><name>x</name></s>");
    for (const char* typed : {"a>b", "a<b", "x<?y>", "<b>c</b>", "</name>"}) {
        ASSERT_TRUE(doc.SetByPath("ROOT.s.name", typed));
        const std::string text = doc.Write();
        CXmlNode back("ROOT", 0, text);  // never throws
        EXPECT_EQ(back.GetByPath("ROOT.s.name"), XmlSafeText(typed)) << typed;
        EXPECT_EQ(back.GetChildren()[0]->GetChildren().size(), 1u);
    }
    EXPECT_EQ(XmlSafeText("<b>c</b>"), "bc/b");
}

TEST(XmlNode, DeepNestingIsRefusedNotACrash) {
    std::string open, close;
    for (int i = 0; i < 5000; ++i) {
        open += "<n" + std::to_string(i) + ">";
        close = "</n" + std::to_string(i) + ">" + close;
    }
    EXPECT_FALSE(Parses(open + "x" + close));
    std::string shallowOpen, shallowClose;
    for (int i = 0; i < 50; ++i) {
        shallowOpen += "<n" + std::to_string(i) + ">";
        shallowClose = "</n" + std::to_string(i) + ">" + shallowClose;
    }
    EXPECT_TRUE(Parses(shallowOpen + "x" + shallowClose));
}
