// Style sheet text, as in a "style" element or attribute: cut into rules,
// selectors into tokens, declarations into names and values, and each value
// read through the property table. Only the documented selector error may
// leave the readers; a refused property value is returned, never raised.

#include "svg/values/css_text.h"
#include "svg/values/selector_parser.h"
#include "svg/values/style_values.h"
#include "tests/fuzz/fuzz_support.h"

using namespace zor;
using namespace zor::fuzz;

namespace {

void ReadDeclarations(QStringView Text)
{
    TSVGStyleValues values;
    const TSVGStyleContext context;
    for (const TCSSDeclaration& declaration : SplitDeclarations(Text))
        ParseStyleProperty(values, declaration.Name, declaration.Value, context);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QString text = InputText(Data, Size);
    const TCSSStyleSheetText sheet = SplitStyleSheet(text);
    for (const TCSSRuleText& rule : sheet.Rules) {
        for (const QString& selector : SplitSelectorList(rule.Selectors))
            Rejectable([&] {
                for (const TSVGSelectorToken& token : ParseSelector(selector))
                    token.ToString();
            });
        ReadDeclarations(rule.Declarations);
    }
    // The same text as a style attribute.
    ReadDeclarations(text);
    return 0;
}
