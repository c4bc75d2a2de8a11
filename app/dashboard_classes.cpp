#include "app/dashboard_window.h"
#include "instruments/instrument_streaming.h"
#include "instruments/round_instrument_streaming.h"
#include "platform/control.h"

namespace zor {

const TStreamRegistry& DashboardClasses()
{
    static const TStreamRegistry registry = [] {
        TStreamRegistry classes;
        RegisterComponentClass(classes);
        RegisterControlClass(classes);
        RegisterComponentClasses(classes);
        RegisterInstrumentStreamClasses(classes);
        RegisterRoundInstrumentStreamClasses(classes);
        classes.Register<TfrmDashboard, TContainerControl>(QStringLiteral("TfrmDashboard"), {})
            .Property(QStringLiteral("Caption"), &TfrmDashboard::Caption, &TfrmDashboard::SetCaption, QString());
        return classes;
    }();
    return registry;
}

} // namespace zor
