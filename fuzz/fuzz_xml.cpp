// The XML reader on arbitrary text: it either builds a tree or throws OTE0001; a tree it builds
// writes back to text that reads again to the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/QuorException.h"
#include "foundation/XmlNode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 65536) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        CXmlNode doc("ROOT", 0, text);
        const std::string written = doc.Write();
        doc.GetByPath("ROOT.a.b");
        // A value set from any text never makes the document unreadable.
        if (!doc.GetChildren().empty()) {
            const std::string path = "ROOT." + doc.GetChildren()[0]->GetName();
            if (path.find('.', 5) == std::string::npos && doc.SetByPath(path, text)) {
                try {
                    CXmlNode reread("ROOT", 0, doc.Write());
                    reread.GetXmlByPath(path);
                } catch (const COtherException&) {
                    std::abort();
                }
            }
        }
        // What a tree writes reads back to the same tree.
        try {
            CXmlNode again("ROOT", 0, written);
            if (again.Write() != written) std::abort();
        } catch (const COtherException&) {
            std::abort();
        }
    } catch (const COtherException& e) {
        if (e.GetCode() != "OTE0001") std::abort();
    }
    StripXmlWhitespace(text);
    return 0;
}
