#include "foundation/XmlNode.h"

#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "foundation/QuorException.h"

namespace {

// Documents of the game nest a few levels; far deeper text is not a document of ours and
// would only exhaust the stack.
constexpr int kMaxDepth = 256;

[[noreturn]] void ThrowMalformed() { throw COtherException("OTE0001", "XMLの構造が不正です。"); }

void Indent(std::string& out, int depth) {
    if (depth > 1) out.append(static_cast<size_t>(depth - 1) * 2, ' ');
}

void WriteNode(const CXmlNode& node, std::string& out) {
    if (node.GetDepth() == 0) {
        for (const auto& c : node.GetChildren()) WriteNode(*c, out);
        return;
    }
    Indent(out, node.GetDepth());
    out += '<';
    out += node.GetName();
    out += '>';
    out += node.GetValue();
    if (!node.GetChildren().empty()) {
        out += '\n';
        for (const auto& c : node.GetChildren()) WriteNode(*c, out);
        Indent(out, node.GetDepth());
    }
    out += "</";
    out += node.GetName();
    out += ">\n";
}

// Copies `n` bytes of `in` to `out` (room for `n` bytes) without the blanks, tabs and line
// breaks outside tags, and gives the length written. With `marks`, also notes where each "<"
// and ">" stands in the output. Runs of ordinary characters are copied sixteen at a time.
size_t StripInto(const char* in, size_t n, char* out, std::vector<size_t>* marks) {
    char* o = out;
    size_t i = 0;
    bool inTag = false;
    while (i < n) {
#if defined(__SSE2__)
        // Ordinary: above blank and neither "<" nor ">" ("<" | 2 == ">" | 2 == '>').
        const __m128i blank = _mm_set1_epi8(0x20);
        const __m128i two = _mm_set1_epi8(0x02);
        const __m128i angle = _mm_set1_epi8('>');
        while (i + 16 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(v, blank), v);
            const __m128i tag = _mm_cmpeq_epi8(_mm_or_si128(v, two), angle);
            const unsigned special = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(low, tag)));
            // `o` never runs ahead of `i`, so sixteen bytes always fit.
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
            if (special == 0) {
                o += 16;
                i += 16;
                continue;
            }
            const unsigned k = static_cast<unsigned>(__builtin_ctz(special));
            o += k;
            i += k;
            break;
        }
        if (i >= n) break;
#endif
        const char c = in[i++];
        if (c == '<' || c == '>') {
            inTag = c == '<';
            if (marks) marks->push_back(static_cast<size_t>(o - out));
        } else if (!inTag && (c == ' ' || c == '\n' || c == '\r' || c == '\t')) {
            continue;
        }
        *o++ = c;
    }
    return static_cast<size_t>(o - out);
}

}  // namespace

struct CXmlNode::ParseText {
    std::unique_ptr<char[]> text;
    size_t size = 0;
    std::vector<size_t> marks;
};

CXmlNode::CXmlNode(std::string name, int depth, std::string text) : name_(std::move(name)), depth_(depth) {
    ParseText doc;
    doc.text = std::make_unique_for_overwrite<char[]>(text.size() + 1);
    doc.size = StripInto(text.data(), text.size(), doc.text.get(), &doc.marks);
    Parse(doc, 0, doc.size, 0);
}

// A child: the stretch [begin, end) of the document's stripped text, which needs no stripping
// again (it starts just after a ">", so its blanks are exactly those already removed).
// `mark` is the first mark at or after `begin`.
CXmlNode::CXmlNode(std::string_view name, int depth, const ParseText& doc, size_t begin, size_t end,
                   size_t mark)
    : name_(name), depth_(depth) {
    Parse(doc, begin, end, mark);
}

// Parses the stretch [pos, end) of the stripped text. Between tags, characters join the value;
// a tag runs to the next ">" (a "<" first is malformed); "<?...>" and "<.../>" make no node;
// any other tag opens an element that ends at the first "</name>" after it, whose text is
// parsed by the child itself. Only the positions of "<" and ">" are visited to find tags.
void CXmlNode::Parse(const ParseText& doc, size_t pos, size_t end, size_t mark) {
    const char* const t = doc.text.get();
    const size_t* const marks = doc.marks.data();
    const size_t markCount = doc.marks.size();
    while (pos < end) {
        const size_t next = mark < markCount && marks[mark] < end ? marks[mark] : end;
        if (next > pos) {
            value_.append(t + pos, next - pos);
            pos = next;
            continue;
        }
        if (t[pos] == '>') ThrowMalformed();
        // In a tag: up to the next ">", a "<" before it is malformed.
        ++mark;
        const size_t tagStart = pos + 1;
        size_t tagEnd = end;
        bool closed = false;
        if (mark < markCount && marks[mark] < end) {
            tagEnd = marks[mark];
            if (t[tagEnd] == '<') ThrowMalformed();
            closed = true;
            ++mark;
        }
        const std::string_view tag(t + tagStart, tagEnd - tagStart);
        const size_t after = closed ? tagEnd + 1 : end;
        if (!tag.empty() && (tag.front() == '?' || tag.back() == '/')) {
            // A processing instruction or an empty-element tag: no node.
            pos = after;
            continue;
        }
        if (!closed) ThrowMalformed();
        // The first "</name>" lying wholly in this node's text. The name holds no "<" or ">",
        // so such a close tag starts at a "<" mark and its ">" is the very next mark.
        const size_t closeSize = tag.size() + 3;
        size_t k = mark;
        size_t close = std::string::npos;
        for (; k < markCount && marks[k] + closeSize <= end; ++k) {
            const char* p = t + marks[k];
            if (p[0] == '<' && p[1] == '/' && p[closeSize - 1] == '>' &&
                std::memcmp(p + 2, tag.data(), tag.size()) == 0) {
                close = marks[k];
                break;
            }
        }
        if (close == std::string::npos) ThrowMalformed();
        if (depth_ >= kMaxDepth) ThrowMalformed();
        children_.push_back(std::make_unique<CXmlNode>(tag, depth_ + 1, doc, after, close, mark));
        pos = close + closeSize;
        mark = k + 2;
    }
}

std::string CXmlNode::Write() const {
    std::string out;
    WriteNode(*this, out);
    return out;
}

const CXmlNode* CXmlNode::Find(const std::string& path) const {
    const CXmlNode* node = this;
    std::string_view p(path);
    for (;;) {
        const size_t dot = p.find('.');
        if (dot == std::string_view::npos) return p == node->name_ ? node : nullptr;
        if (p.substr(0, dot) != node->name_) return nullptr;
        const std::string_view rest = p.substr(dot + 1);
        const std::string_view head = rest.substr(0, rest.find('.'));
        const CXmlNode* next = nullptr;
        for (const auto& c : node->children_) {
            if (c->name_ == head) {
                next = c.get();
                break;
            }
        }
        if (!next) return nullptr;
        node = next;
        p = rest;
    }
}

std::string CXmlNode::GetByPath(const std::string& path) const {
    const CXmlNode* node = Find(path);
    return node ? node->value_ : std::string();
}

bool CXmlNode::SetByPath(const std::string& path, const std::string& value) {
    CXmlNode* node = const_cast<CXmlNode*>(Find(path));
    if (!node) return false;
    node->value_ = XmlSafeText(value);
    node->children_.clear();
    return true;
}

CXmlNode::PathShape CXmlNode::GetPathShape(const std::string& path) const {
    std::string_view rest(path);
    const size_t first = rest.find('.');
    if (rest.substr(0, first) != name_) return PathShape::Missing;
    const CXmlNode* node = this;
    while (rest.find('.') != std::string_view::npos) {
        rest = rest.substr(rest.find('.') + 1);
        const std::string_view head = rest.substr(0, rest.find('.'));
        const CXmlNode* next = nullptr;
        for (const auto& c : node->children_) {
            if (c->name_ != head) continue;
            if (next) return PathShape::Repeated;
            next = c.get();
        }
        if (!next) return PathShape::Missing;
        node = next;
    }
    return node->children_.empty() ? PathShape::Value : PathShape::Nested;
}

bool CXmlNode::AddPath(const std::string& path) {
    std::string_view rest(path);
    if (rest.substr(0, rest.find('.')) != name_) return false;
    CXmlNode* node = this;
    while (rest.find('.') != std::string_view::npos) {
        rest = rest.substr(rest.find('.') + 1);
        const std::string head(rest.substr(0, rest.find('.')));
        CXmlNode* next = nullptr;
        for (const auto& c : node->children_) {
            if (c->name_ == head) {
                next = c.get();
                break;
            }
        }
        if (!next) {
            node->children_.push_back(std::make_unique<CXmlNode>(head, node->depth_ + 1, std::string()));
            next = node->children_.back().get();
        }
        node = next;
    }
    return true;
}

std::string CXmlNode::GetXmlByPath(const std::string& path) const {
    const CXmlNode* node = Find(path);
    return node ? node->Write() : std::string();
}

std::string GetXmlHeader() { return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"; }

std::string StripXmlWhitespace(const std::string& text) {
    std::string out(text.size(), '\0');
    out.resize(StripInto(text.data(), text.size(), out.data(), nullptr));
    return out;
}

std::string XmlSafeText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '<' && c != '>') out += c;
    }
    return out;
}
