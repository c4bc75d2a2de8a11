// The XML document service on arbitrary bytes: a document loads or raises the
// service's error, within the bounds on entity expansion and without fetching
// anything; a loaded one can be walked and written out again.

#include "platform/xml_document.h"
#include "tests/fuzz/fuzz_support.h"

using namespace zor;
using namespace zor::fuzz;

namespace {

// Walks the tree without recursion, so that deep nesting cannot exhaust the stack here.
void Walk(const TXMLNode& Root)
{
    std::vector<TXMLNode> pending{Root};
    while (!pending.empty()) {
        const TXMLNode node = pending.back();
        pending.pop_back();
        node.LocalName();
        node.NamespaceURI();
        if (node.NodeType() == TNodeType::ntElement)
            for (const TXMLAttribute& attribute : node.Attributes())
                node.Attribute(attribute.LocalName, attribute.NamespaceURI);
        for (TXMLNode child = node.FirstChild(); child; child = child.NextSibling())
            pending.push_back(child);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TXMLDocument document;
    Rejectable([&] {
        document.LoadFromBytes(QByteArray::fromRawData(reinterpret_cast<const char*>(Data), qsizetype(Size)));
        if (const TXMLNode root = document.DocumentElement())
            Walk(root);
        TXMLDocument again;
        again.LoadFromBytes(document.SaveToBytes());
    });
    return 0;
}
