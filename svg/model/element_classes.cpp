#include "svg/model/element_classes.h"

#include <array>

#include "svg/model/clip_path.h"
#include "svg/model/document.h"
#include "svg/model/gradient_element.h"
#include "svg/model/gradient_stop.h"
#include "svg/model/image.h"
#include "svg/model/marker.h"
#include "svg/model/metadata.h"
#include "svg/model/path_element.h"
#include "svg/model/pattern.h"
#include "svg/model/use.h"

namespace zor {

namespace {

using TClassTable = std::array<TSVGElementClass, EnumCount(TSVGElementType{})>;

// Built on first use, so that start-up code of other units can register
// before or after this unit's statics exist.
TClassTable& ClassTable()
{
    static TClassTable table = [] {
        TClassTable classes;
        const auto set = [&classes](TSVGElementType Kind, TSVGElementClass Class) {
            classes[static_cast<std::size_t>(Kind)] = std::move(Class);
        };
        set(TSVGElementType::etDoc, SVGElementClassOf<TSVGDocument>());
        set(TSVGElementType::etGroup, SVGElementClassOf<TSVGGroup>());
        set(TSVGElementType::etSwitch, SVGElementClassOf<TSVGSwitch>());
        set(TSVGElementType::etDefs, SVGElementClassOf<TSVGDefs>());
        set(TSVGElementType::etSymbol, SVGElementClassOf<TSVGSymbol>());
        set(TSVGElementType::etUse, SVGElementClassOf<TSVGUse>());
        set(TSVGElementType::etImage, SVGElementClassOf<TSVGImage>());
        set(TSVGElementType::etPath, SVGElementClassOf<TSVGPath>());
        set(TSVGElementType::etClipPath, SVGElementClassOf<TSVGClipPath>());
        set(TSVGElementType::etLinearGradient, SVGElementClassOf<TSVGLinearGradient>());
        set(TSVGElementType::etRadialGradient, SVGElementClassOf<TSVGRadialGradient>());
        set(TSVGElementType::etGradientStop, SVGElementClassOf<TSVGGradientStop>());
        set(TSVGElementType::etMarker, SVGElementClassOf<TSVGMarker>());
        set(TSVGElementType::etMetadata, SVGElementClassOf<TSVGMetadata>());
        set(TSVGElementType::etPattern, SVGElementClassOf<TSVGPattern>());
        set(TSVGElementType::etScript, SVGElementClassOf<TSVGScript>());
        return classes;
    }();
    return table;
}

} // namespace

const TSVGElementClass& SVGElementClasses(TSVGElementType Kind)
{
    return ClassTable()[static_cast<std::size_t>(Kind)];
}

void RegisterSVGElementClass(TSVGElementType Kind, TSVGElementClass Class)
{
    ClassTable()[static_cast<std::size_t>(Kind)] = std::move(Class);
}

std::unique_ptr<TSVGElement> CreateSVGElement(TSVGElementType Kind, TSVGDocument* aOwner)
{
    const TSVGElementClass& elementClass = SVGElementClasses(Kind);
    return elementClass ? elementClass(aOwner) : nullptr;
}

} // namespace zor
