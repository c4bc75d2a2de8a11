#include "app/dashboard_window.h"

#include <QBuffer>
#include <QFile>
#include <QResizeEvent>
#include <array>

#include "app/season.h"
#include "instruments/classic_clock.h"
#include "instruments/clocks.h"
#include "instruments/digital_clock.h"
#include "instruments/lights.h"
#include "instruments/switches.h"
#include "platform/date_time.h"
#include "platform/guarded_call.h"
#include "platform/object_text.h"
#include "platform/streaming.h"

// Registers the layout compiled into this static library; outside the
// namespace, as the resource compiler names its function there.
static void InitLayoutResources()
{
    Q_INIT_RESOURCE(dashboard);
}

namespace zor {

namespace {

// The layout's handler names and the window's operations they stand for.
using THandlerMethod = void (TfrmDashboard::*)(TPersistent&);
struct THandlerRow {
    const char* Name;
    THandlerMethod Method;
};
constexpr std::array<THandlerRow, 5> Handlers = {{
    {"ZorCircularAltimeter1Click", &TfrmDashboard::ZorCircularAltimeter1Click},
    {"ZorAnalogCalendar1Change", &TfrmDashboard::ZorAnalogCalendar1Change},
    {"ZorRotarySwitch1Change", &TfrmDashboard::ZorRotarySwitch1Change},
    {"Timer1Timer", &TfrmDashboard::Timer1Timer},
    {"Timer2Timer", &TfrmDashboard::Timer2Timer},
}};

QByteArray StoredLayout()
{
    return ObjectTextToBinary(DashboardLayoutText(), DashboardClasses());
}

} // namespace

QString DashboardLayoutText()
{
    static const bool registered = (InitLayoutResources(), true);
    (void)registered;
    QFile file(QStringLiteral(":/layout/dashboard.layout"));
    if (!file.open(QIODevice::ReadOnly))
        Raise<EReadError>(messages::StreamDevice, {file.errorString()});
    return QString::fromUtf8(file.readAll());
}

TfrmDashboard::TfrmDashboard()
    : FRegistry(DashboardClasses())
{
    const QByteArray layout = StoredLayout();
    QBuffer buffer;
    buffer.setData(layout);
    buffer.open(QIODevice::ReadOnly);
    Load(buffer);
}

TfrmDashboard::TfrmDashboard(QIODevice& Stream, const TStreamRegistry& Registry)
    : FRegistry(Registry)
{
    Load(Stream);
}

TfrmDashboard::~TfrmDashboard() = default;

void TfrmDashboard::Load(QIODevice& Stream)
{
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xFF));
    setPalette(background);

    TReader reader(Stream, FRegistry);
    reader.ReadRootComponent(*this);
    FCenterStage = FindComponent<TLayout>(QStringLiteral("CenterStage"), true);
    FTimer1 = FindComponent<TTimer>(QStringLiteral("Timer1"), true);
    FTimer2 = FindComponent<TTimer>(QStringLiteral("Timer2"), true);
    FCalendar = FindComponent<TZorAnalogCalendar>(QStringLiteral("ZorAnalogCalendar1"), false);
    FClock = FindComponent<TZorCircularClock>(QStringLiteral("ZorCircularClock1"), false);
    FSwitch = FindComponent<TZorRotarySwitch>(QStringLiteral("ZorRotarySwitch1"), false);
    FDigitalClock = FindComponent<TZorDigitalClock>(QStringLiteral("ZorDigitalClock1"), false);
    FClassicClock = FindComponent<TZorClock>(QStringLiteral("ZorClock1"), false);
    FTrafficLight = FindComponent<TZorTrafficLight>(QStringLiteral("ZorTrafficLight1"), false);
    for (std::size_t i = 0; i < FCubeLights.size(); ++i)
        FCubeLights[i] = FindComponent<TZorCubeLight>(QStringLiteral("ZorCubeLight%1").arg(i + 1), false);
    // Handlers are bound once every stored value is in place, so reading the
    // layout runs none of them.
    BindEventsOfTree(*this, FRegistry, [this](const QString& Name) { return FindHandler(Name); });
    resize(qRound(Width()), qRound(Height()));
    setMinimumSize(qRound(Width() / 2), qRound(Height() / 2));
    FormCreate();
    Arrange();
}

template <typename T>
T* TfrmDashboard::FindComponent(const QString& Name, bool Required) const
{
    T* found = nullptr;
    for (QObject* object : findChildren<QObject*>(Name))
        if ((found = dynamic_cast<T*>(object)) != nullptr)
            break;
    if (found == nullptr && Required)
        Raise<EReadError>(messages::ComponentNotFound, {Name});
    return found;
}

THandler TfrmDashboard::FindHandler(const QString& Name)
{
    for (const THandlerRow& row : Handlers)
        if (Name == QLatin1String(row.Name))
            return [this, method = row.Method](TPersistent& Sender) { (this->*method)(Sender); };
    return {};
}

QByteArray TfrmDashboard::StoreLayout() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter(buffer, FRegistry).WriteRootComponent(*this);
    return bytes;
}

double TfrmDashboard::Scale() const
{
    if (Width() <= 0 || Height() <= 0)
        return 1;
    return std::max(1e-3, std::min(width() / Width(), height() / Height()));
}

void TfrmDashboard::Arrange()
{
    const double scale = Scale();
    ArrangeChildren(QSizeF(width() / scale, height() / scale), scale);
}

void TfrmDashboard::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    const QString error = CallCatching([this] { Arrange(); });
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
}

TZorSVGCustomInstrument* TfrmDashboard::StageCopy() const
{
    for (const TPersistent* child : StoredChildren(*FCenterStage, FRegistry))
        if (auto* instrument = dynamic_cast<const TZorSVGCustomInstrument*>(child))
            return const_cast<TZorSVGCustomInstrument*>(instrument);
    return nullptr;
}

// --- Handlers ----------------------------------------------------------------------

void TfrmDashboard::FormCreate()
{
    const TDateTime now = Now();
    if (FCalendar != nullptr)
        FCalendar->SetTime(now);
    // The clocks tell the time from the start, not only from the first tick.
    ShowTime(now);
}

void TfrmDashboard::ShowTime(double Time)
{
    if (FDigitalClock != nullptr) {
        FDigitalClock->SetTime(Time);
        Time = FDigitalClock->Time();
    }
    if (FClassicClock != nullptr)
        FClassicClock->SetTime(Time);
    if (FClock != nullptr)
        FClock->SetTime(Time);
}

void TfrmDashboard::ZorCircularAltimeter1Click(TPersistent& Sender)
{
    if (auto* instrument = dynamic_cast<TZorSVGCustomInstrument*>(&Sender))
        ShowOnStage(*instrument);
}

void TfrmDashboard::ShowOnStage(TZorSVGCustomInstrument& Source)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TWriter(buffer, FRegistry).WriteRootComponent(Source);
    }
    // The stage shows one copy: the last one goes first.
    const std::vector<const TPersistent*> previous = StoredChildren(*FCenterStage, FRegistry);
    if (!previous.empty())
        delete const_cast<TPersistent*>(previous.front());

    // Made as a child of the stage, it joins it only once it is complete: a
    // copy that cannot be read is freed.
    std::unique_ptr<TPersistent> made = FRegistry.ClassOf(Source).Create(FCenterStage);
    auto& copy = dynamic_cast<TZorSVGCustomInstrument&>(*made);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TReader(buffer, FRegistry).ReadRootComponent(copy);
    copy.SetAlign(TAlignLayout::alClient);
    BindEvents(copy, FRegistry, [this](const QString& Name) { return FindHandler(Name); });
    ClearEvent(copy, QStringLiteral("OnClick"), FRegistry);
    AdoptChild(*FCenterStage, std::move(made));
    Arrange();
    copy.show();
}

void TfrmDashboard::ZorAnalogCalendar1Change(TPersistent&)
{
    if (FCalendar == nullptr)
        return;
    const TSeasonLook season = SeasonOfDay(FCalendar->DayOfYear());
    FCalendar->SetDecoration(season.Decoration);
    FCalendar->SetDecorationFillColor(season.Color);
}

void TfrmDashboard::ZorRotarySwitch1Change(TPersistent&)
{
    if (FSwitch == nullptr)
        return;
    FTimer1->SetEnabled(FSwitch->Checked());
    FTimer2->SetEnabled(FSwitch->Checked());
}

void TfrmDashboard::Timer1Timer(TPersistent&)
{
    ShowTime(Now());
    const int step = FTimer1->Tag();
    if (FTrafficLight != nullptr) {
        using TLight = TZorTrafficLight::TLight;
        const TLight phase = step < 5 ? TLight::ltGreen : step < 7 ? TLight::ltYellow : TLight::ltRed;
        FTrafficLight->SetLights({phase});
    }
    FTimer1->SetTag((step + 1) % TrafficLightSteps);
}

void TfrmDashboard::Timer2Timer(TPersistent&)
{
    const int step = FTimer2->Tag();
    for (std::size_t i = 0; i < FCubeLights.size(); ++i)
        if (FCubeLights[i] != nullptr)
            FCubeLights[i]->SetChecked(static_cast<int>(i) == step);
    FTimer2->SetTag((step + 1) % CubeLights);
}

} // namespace zor
