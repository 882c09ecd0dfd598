#pragma once
// A small element tree for the game's XML documents (client info, scenario save data, stages).
// Text-only elements, no attributes, no entities, no comments; whitespace outside tags is
// dropped before parsing. A document node (depth 0) holds the text's top-level elements as its
// children; its name is the caller's choice ("ROOT", "root") and starts every dotted path.
// Text is UTF-8 in memory; the encoded-file layer converts at the disk.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CXmlNode {
  public:
    // Parses `text` (whitespace outside tags removed first) into the children of a node named
    // `name` at `depth`. Throws COtherException "OTE0001" "XMLの構造が不正です。" when the text
    // is malformed.
    CXmlNode(std::string name, int depth, std::string text);
    CXmlNode(const CXmlNode&) = delete;
    CXmlNode& operator=(const CXmlNode&) = delete;

    // The node as indented XML text (two blanks per level below the top-level elements,
    // "\n" line ends). A document writes only its children. An element holding both text and
    // child elements writes its text first, so that what is written reads back to the same tree.
    std::string Write() const;

    // The value of the element at a dotted path ("ROOT.clientInfo.network.createrId"), or ""
    // when there is none. Of several same-named siblings the first is reached.
    std::string GetByPath(const std::string& path) const;
    // Sets the value of the element at a dotted path; false when there is none (nothing is
    // created). The value becomes the element's whole content: child elements it held are
    // dropped, so the set value is what is written. "<" and ">" are dropped from the value, so a
    // set value can never make the document unreadable.
    bool SetByPath(const std::string& path, const std::string& value);
    // How a dotted path stands, for a state file that keeps one value at each of its paths.
    enum class PathShape {
        Value,     // one element at every step, the last without child elements
        Missing,   // an element on the way is not there
        Repeated,  // an element on the way stands more than once among its siblings
        Nested,    // the last element holds child elements where a value belongs
    };
    PathShape GetPathShape(const std::string& path) const;
    // Makes the missing elements of a dotted path (empty, each after its last sibling); false when
    // the path does not start at this node's name.
    bool AddPath(const std::string& path);
    // Write() of the element at a dotted path, or "" when there is none.
    std::string GetXmlByPath(const std::string& path) const;

    const std::string& GetName() const { return name_; }
    int GetDepth() const { return depth_; }
    const std::string& GetValue() const { return value_; }
    const std::vector<std::unique_ptr<CXmlNode>>& GetChildren() const { return children_; }

  private:
    // The document's text with its whitespace removed, and where each "<" and ">" of it stands:
    // every node of the tree parses its own stretch of this one text.
    struct ParseText;

  public:
    // A child element, made by its parent's parse: only the parser has a ParseText to give.
    CXmlNode(std::string_view name, int depth, const ParseText& doc, size_t begin, size_t end, size_t mark);

  private:
    const CXmlNode* Find(const std::string& path) const;
    void Parse(const ParseText& doc, size_t begin, size_t end, size_t mark);

    std::string name_;
    int depth_ = 0;
    std::string value_;
    std::vector<std::unique_ptr<CXmlNode>> children_;
};

// "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
std::string GetXmlHeader();

// A copy of the text without blanks, tabs and line breaks outside tags (blanks inside tags
// stay). Values lose their whitespace too: "a b" becomes "ab".
std::string StripXmlWhitespace(const std::string& text);

// The text with every "<" and ">" removed: what a writer that builds XML text by hand puts
// into a value, so a value can never break the document.
std::string XmlSafeText(const std::string& text);
