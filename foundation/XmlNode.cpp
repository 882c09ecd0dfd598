#include "foundation/XmlNode.h"

#include "foundation/QuorException.h"

namespace {

// Documents of the game nest a few levels; far deeper text is not a document of ours and
// would only exhaust the stack.
constexpr int kMaxDepth = 256;

[[noreturn]] void ThrowMalformed() { throw COtherException("OTE0001", "XMLの構造が不正です。"); }

void Indent(std::string& out, int depth) {
    if (depth > 1) out.append(static_cast<size_t>(2 * (depth - 1)), ' ');
}

void WriteNode(const CXmlNode& node, std::string& out) {
    if (node.GetDepth() == 0) {
        for (const CXmlNode* c : node.GetChildren()) WriteNode(*c, out);
        return;
    }
    Indent(out, node.GetDepth());
    out += '<';
    out += node.GetName();
    out += '>';
    if (node.GetChildren().empty()) {
        out += node.GetValue();
    } else {
        out += '\n';
        for (const CXmlNode* c : node.GetChildren()) WriteNode(*c, out);
        Indent(out, node.GetDepth());
    }
    out += "</";
    out += node.GetName();
    out += ">\n";
}

}  // namespace

CXmlNode::CXmlNode(std::string name, int depth, std::string text) : name_(std::move(name)), depth_(depth) {
    try {
        Parse(StripXmlWhitespace(text));
    } catch (...) {
        for (CXmlNode* c : children_) delete c;
        children_.clear();
        throw;
    }
}

CXmlNode::~CXmlNode() {
    for (CXmlNode* c : children_) delete c;
}

void CXmlNode::Parse(const std::string& text) {
    const size_t n = text.size();
    size_t pos = 0;
    while (pos < n) {
        const char c = text[pos];
        if (c == '>') ThrowMalformed();
        if (c != '<') {
            value_ += c;
            ++pos;
            continue;
        }
        // In a tag: up to the next ">", a "<" before it is malformed.
        const size_t tagStart = pos + 1;
        size_t j = tagStart;
        while (j < n && text[j] != '>') {
            if (text[j] == '<') ThrowMalformed();
            ++j;
        }
        const bool closed = j < n;
        const std::string tag = text.substr(tagStart, j - tagStart);
        const size_t after = closed ? j + 1 : n;
        if (!tag.empty() && (tag.front() == '?' || tag.back() == '/')) {
            // A processing instruction or an empty-element tag: no node.
            pos = after;
            continue;
        }
        if (!closed) ThrowMalformed();
        const std::string closeTag = "</" + tag + ">";
        const size_t close = text.find(closeTag, after);
        if (close == std::string::npos) ThrowMalformed();
        if (depth_ + 1 > kMaxDepth) ThrowMalformed();
        children_.push_back(nullptr);
        children_.back() = new CXmlNode(tag, depth_ + 1, text.substr(after, close - after));
        pos = close + closeTag.size();
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
        for (const CXmlNode* c : node->children_) {
            if (c->name_ == head) {
                next = c;
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
    return true;
}

std::string CXmlNode::GetXmlByPath(const std::string& path) const {
    const CXmlNode* node = Find(path);
    return node ? node->Write() : std::string();
}

std::string GetXmlHeader() { return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"; }

std::string StripXmlWhitespace(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool inTag = false;
    for (char c : text) {
        if (c == '<') {
            inTag = true;
        } else if (c == '>') {
            inTag = false;
        } else if (!inTag && (c == ' ' || c == '\n' || c == '\r' || c == '\t')) {
            continue;
        }
        out += c;
    }
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
