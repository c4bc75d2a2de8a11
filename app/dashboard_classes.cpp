#include "app/dashboard_window.h"
#include "instruments/gallery_instrument_streaming.h"
#include "instruments/instrument_streaming.h"
#include "instruments/round_instrument_streaming.h"
#include "platform/control.h"

namespace zor {

const TStreamRegistry& DashboardClasses()
{
    // Filled in place: the classes' children lists refer to this registry.
    static TStreamRegistry registry;
    static const bool filled = [] {
        RegisterComponentClass(registry);
        RegisterControlClass(registry);
        RegisterComponentClasses(registry);
        RegisterInstrumentStreamClasses(registry);
        RegisterRoundInstrumentStreamClasses(registry);
        RegisterGalleryInstrumentStreamClasses(registry);
        registry.Register<TfrmDashboard, TContainerControl>(QStringLiteral("TfrmDashboard"), {})
            .Property(QStringLiteral("Caption"), &TfrmDashboard::Caption, &TfrmDashboard::SetCaption, QString());
        return true;
    }();
    static_cast<void>(filled);
    return registry;
}

} // namespace zor
