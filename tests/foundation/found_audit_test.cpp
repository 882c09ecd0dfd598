// The default version, the window helpers, the history loader and the element tree checked
// against a plain character-by-character parser.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/Helpers.h"
#include "foundation/PlayHistory.h"
#include "foundation/VersionNumber.h"
#include "foundation/XmlNode.h"
#include "platform/backend.h"
#include "platform/messagebox.h"
#include "tests/common/caught_code.h"
#include "tests/common/temp_folder.h"

using testsupport::TempGameFolder;

TEST(AuditVersion, DefaultIsTheApplicationVersion) {
    EXPECT_EQ(CVersionNumber().ToString(), "1.0.0.0");
    EXPECT_EQ(CVersionNumber::Application().ToString(), CVersionNumber().ToString());
    CVersionNumber v;
    v.Parse("3.4.5.6");
    EXPECT_EQ(v.ToString(), "3.4.5.6");
}

TEST(AuditWindowHelpers, MessageBoxAndMainWindowTitle) {
    std::string title, text;
    plat::SetMessageBoxHandler([&](const std::string& t, const std::string& m) {
        title = t;
        text = m;
    });
    ShowMessageBox("50%d 完了");
    plat::SetMessageBoxHandler(nullptr);
    EXPECT_EQ(title, "メッセージ");
    EXPECT_EQ(text, "50%d 完了");

    SetMainWindowTitle("no window yet");  // nothing runs: no effect, no crash
    plat::BackendOptions options;
    options.headless = true;
    plat::Backend& b = plat::StartBackend(options);
    SetMainWindowTitle("Quorvald - エディタ");
    EXPECT_EQ(b.Title(), "Quorvald - エディタ");
    plat::StopBackend();
}

TEST(AuditPlayHistory, BlankLinesAnywhereAndAFailedLoadLeavesNothing) {
    TempGameFolder game;
    game.MakeDir("network");
    CPlayHistory::DeleteInstance();
    game.WriteEncoded("network/history.dat",
                      "\n7,1,2,3,4\r\n" + std::string(200000, '\n') + "10,0.5,60,40,1");
    CPlayHistory* h = CPlayHistory::GetInstance();
    ASSERT_EQ(h->GetCount(), 2);
    EXPECT_EQ(h->GetRecords().at("7").playCount, 4);
    EXPECT_DOUBLE_EQ(h->GetRecords().at("10").misses, 0.5);

    // A bad line after good ones: nothing of the file is kept.
    game.WriteEncoded("network/history.dat", "1,1,1,1,1\n2,2,2,2,2\n3,1,1,1,1,1\n");
    EXPECT_EQ(CaughtCode([&] { h->Initialize(); }), "DEF0101");
    EXPECT_EQ(h->GetCount(), 0);
    EXPECT_TRUE(h->GetRecords().empty());
    CPlayHistory::DeleteInstance();
}

// ---- The element tree against a plain parser -------------------------------------------------

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
    out += indent + "<" + n.name + ">\n";
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

TEST(AuditXml, MatchesAPlainParserOnRandomTexts) {
    static const char* const kPieces[] = {"<a>", "</a>",  "<b>",    "</b>", "<a/>", "<?x ?>", "x",
                                          "yz",  " ",     "\n",     "<",    ">",    "/",      "<>",
                                          "</>", "<a b>", "</a b>", "\t",   "<a"};
    std::mt19937 rng(20101121);
    std::uniform_int_distribution<int> pieceCount(0, 14);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kPieces)) - 1);
    int accepted = 0;
    for (int round = 0; round < 40000; ++round) {
        std::string text;
        const int n = pieceCount(rng);
        for (int i = 0; i < n; ++i) text += kPieces[pick(rng)];
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
    }
    EXPECT_GT(accepted, 1000);
}
