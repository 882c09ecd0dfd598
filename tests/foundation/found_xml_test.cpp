#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "foundation/QuorException.h"
#include "foundation/Random.h"
#include "foundation/XmlNode.h"

namespace {

bool Parses(const std::string& text) {
    try {
        CXmlNode doc("ROOT", 0, text);
        return true;
    } catch (const COtherException& e) {
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

TEST(XmlNode, AValueSetOnAnElementWithChildrenIsWhatIsWrittenAndReadBack) {
    // A bought-items element that came with a child element: the set list replaces the child.
    CXmlNode doc("ROOT", 0, "<c><items><b>1</b></items></c>");
    ASSERT_TRUE(doc.SetByPath("ROOT.c.items", "Opening"));
    EXPECT_EQ(doc.Write(), "<c>\n  <items>Opening</items>\n</c>\n");
    EXPECT_EQ(CXmlNode("ROOT", 0, doc.Write()).GetByPath("ROOT.c.items"), "Opening");
    // Text beside child elements is written too, ahead of them.
    CXmlNode mixed("ROOT", 0, "<a>x<b>1</b>y</a>");
    EXPECT_EQ(mixed.Write(), "<a>xy\n  <b>1</b>\n</a>\n");
    EXPECT_EQ(CXmlNode("ROOT", 0, mixed.Write()).GetByPath("ROOT.a"), "xy");
}

TEST(XmlNode, PathShapesAndMissingPathsAdded) {
    using Shape = CXmlNode::PathShape;
    CXmlNode doc("ROOT", 0, "<s><v>1</v><n><m>2</m></n><d>1</d><d>2</d></s>");
    EXPECT_EQ(doc.GetPathShape("ROOT.s.v"), Shape::Value);
    EXPECT_EQ(doc.GetPathShape("ROOT.s.n"), Shape::Nested);
    EXPECT_EQ(doc.GetPathShape("ROOT.s.d"), Shape::Repeated);
    EXPECT_EQ(doc.GetPathShape("ROOT.s.q.r"), Shape::Missing);
    EXPECT_EQ(doc.GetPathShape("root.s.v"), Shape::Missing);
    EXPECT_FALSE(doc.AddPath("root.s.q"));
    ASSERT_TRUE(doc.AddPath("ROOT.s.q.r"));
    ASSERT_TRUE(doc.AddPath("ROOT.s.v"));  // there already: nothing added
    EXPECT_EQ(StripXmlWhitespace(doc.Write()),
              "<s><v>1</v><n><m>2</m></n><d>1</d><d>2</d><q><r></r></q></s>");
    EXPECT_EQ(doc.GetPathShape("ROOT.s.q.r"), Shape::Value);
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

// ---- The reader parses every element in place in one stripped copy of the document: an element's
// text ends where the first matching close tag after it starts, whatever stands inside. ----

TEST(XmlNode, ElementTextEndsAtItsFirstCloseTag) {
    // "<b/" is cut off by a's close tag: a tag the element's text ends inside, skipped.
    CXmlNode cut("ROOT", 0, "<a>x<b/</a>y");
    ASSERT_EQ(cut.GetChildren().size(), 1u);
    EXPECT_TRUE(cut.GetChildren()[0]->GetChildren().empty());
    EXPECT_EQ(cut.GetByPath("ROOT.a"), "x");
    EXPECT_EQ(cut.GetByPath("ROOT"), "y");
    EXPECT_EQ(CXmlNode("ROOT", 0, "<a>x<?p</a>").GetByPath("ROOT.a"), "x");

    EXPECT_FALSE(Parses("<a><b>x</a></b>"));  // a holds "<b>x": b never closes
    EXPECT_FALSE(Parses("<a><b></a>"));
    EXPECT_FALSE(Parses("<a>x</a"));
    EXPECT_FALSE(Parses("<ab>x</a></ab>"));  // ab holds "x</a>", a stray close tag
    EXPECT_FALSE(Parses("<ab>x</abc></ab>"));

    CXmlNode siblings("ROOT", 0, "<a><b>1</b><c><b>2</b></c><b>3</b></a><b>4</b>");
    EXPECT_EQ(siblings.Write(), "<a>\n  <b>1</b>\n  <c>\n    <b>2</b>\n  </c>\n  <b>3</b>\n</a>\n<b>4</b>\n");
    EXPECT_EQ(siblings.GetChildren()[0]->GetChildren()[1]->GetChildren()[0]->GetDepth(), 3);
}

TEST(XmlNode, LongValuesAndBlanksAtEveryOffset) {
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
        EXPECT_FALSE(Parses(text + std::string(lead, 'q') + ">"));
    }
    std::string big(100000, 'x');
    for (size_t i = 0; i < big.size(); i += 37) big[i] = ' ';
    std::string stripped = big;
    std::erase(stripped, ' ');
    CXmlNode doc("ROOT", 0, "<s><v>" + big + "</v><w>" + big + "</w></s>");
    EXPECT_EQ(doc.GetByPath("ROOT.s.v"), stripped);
    EXPECT_EQ(doc.GetByPath("ROOT.s.w"), stripped);
}

// ---- The element tree against a plain parser, one character at a time ----

namespace {

struct RefNode {
    std::string name;
    std::string value;
    std::vector<RefNode> children;
};

std::string RefStrip(const std::string& text) {
    std::string out;
    bool inTag = false;
    for (char c : text) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag && (c == ' ' || c == '\n' || c == '\r' || c == '\t'))
            continue;
        out += c;
    }
    return out;
}

// Every node parses its own copy of its text, stripped again, one character at a time.
bool RefParse(RefNode& node, const std::string& raw) {
    const std::string text = RefStrip(raw);
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '>') return false;
        if (c != '<') {
            node.value += c;
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < text.size() && text[j] != '>') {
            if (text[j] == '<') return false;
            ++j;
        }
        const bool closed = j < text.size();
        const std::string tag = text.substr(i + 1, j - i - 1);
        const size_t after = closed ? j + 1 : text.size();
        if (!tag.empty() && (tag.front() == '?' || tag.back() == '/')) {
            i = after;
            continue;
        }
        if (!closed) return false;
        const std::string close = "</" + tag + ">";
        const size_t k = text.find(close, after);
        if (k == std::string::npos) return false;
        RefNode child;
        child.name = tag;
        if (!RefParse(child, text.substr(after, k - after))) return false;
        node.children.push_back(std::move(child));
        i = k + close.size();
    }
    return true;
}

void RefWrite(const RefNode& n, int depth, std::string& out) {
    if (depth == 0) {
        for (const RefNode& c : n.children) RefWrite(c, 1, out);
        return;
    }
    const std::string indent(static_cast<size_t>(2 * (depth - 1)), ' ');
    if (n.children.empty()) {
        out += indent + "<" + n.name + ">" + n.value + "</" + n.name + ">\n";
        return;
    }
    out += indent + "<" + n.name + ">" + n.value + "\n";
    for (const RefNode& c : n.children) RefWrite(c, depth + 1, out);
    out += indent + "</" + n.name + ">\n";
}

bool SameTree(const CXmlNode& a, const RefNode& b, int depth) {
    if (a.GetName() != b.name || a.GetValue() != b.value || a.GetDepth() != depth) return false;
    if (a.GetChildren().size() != b.children.size()) return false;
    for (size_t i = 0; i < b.children.size(); ++i) {
        if (!SameTree(*a.GetChildren()[i], b.children[i], depth + 1)) return false;
    }
    return true;
}

}  // namespace

TEST(XmlNode, MatchesAPlainParserOnRandomTexts) {
    static const char* const kPieces[] = {"<a>", "</a>",  "<b>",    "</b>", "<a/>", "<?x ?>", "x",
                                          "yz",  " ",     "\n",     "<",    ">",    "/",      "<>",
                                          "</>", "<a b>", "</a b>", "\t",   "<a"};
    SeedRandom(20101121);
    int accepted = 0;
    for (int round = 0; round < 40000; ++round) {
        std::string text;
        const int n = RandomRange(0, 14);
        for (int i = 0; i < n; ++i) text += kPieces[RandomRange(0, static_cast<int>(std::size(kPieces)) - 1)];
        RefNode ref;
        ref.name = "ROOT";
        const bool refOk = RefParse(ref, text);
        bool ok = true;
        std::string written;
        bool same = false;
        try {
            CXmlNode doc("ROOT", 0, text);
            written = doc.Write();
            same = SameTree(doc, ref, 0);
        } catch (const COtherException& e) {
            EXPECT_EQ(e.GetCode(), "OTE0001");
            ok = false;
        }
        ASSERT_EQ(ok, refOk) << "text: [" << text << "]";
        if (!ok) continue;
        ++accepted;
        ASSERT_TRUE(same) << "text: [" << text << "]";
        std::string refWritten;
        RefWrite(ref, 0, refWritten);
        ASSERT_EQ(written, refWritten) << "text: [" << text << "]";
        // What is written reads back to the same elements, text beside child elements included
        // (text outside every element belongs to none and is not written).
        RefNode elements = ref;
        elements.value.clear();
        ASSERT_TRUE(SameTree(CXmlNode("ROOT", 0, written), elements, 0)) << "text: [" << text << "]";
    }
    EXPECT_GT(accepted, 1000);
}
