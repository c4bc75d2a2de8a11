#include "app/components.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <cmath>

#include "platform/guarded_call.h"
#include "platform/stream_classes.h"

namespace zor {

namespace {

constexpr std::array<const char*, EnumCount(TOrientation{})> OrientationNames = {"orHorizontal", "orVertical"};

// The conditions a trigger can name, with the mouse state that makes them true.
struct TTriggerRow {
    const char* Text;
    bool MouseOver;
};
constexpr std::array<TTriggerRow, 2> Triggers = {{{"IsMouseOver=true", true}, {"IsMouseOver=false", false}}};

const TTriggerRow* FindTrigger(const QString& Text)
{
    for (const TTriggerRow& row : Triggers)
        if (Text.compare(QLatin1String(row.Text), Qt::CaseInsensitive) == 0)
            return &row;
    return nullptr;
}

void CheckTrigger(const QString& Text)
{
    if (!Text.isEmpty() && FindTrigger(Text) == nullptr)
        Raise<EConvertError>(messages::TriggerNotSupported, {Text});
}

bool TriggerHolds(const QString& Text, bool MouseOver)
{
    const TTriggerRow* row = FindTrigger(Text);
    return row != nullptr && row->MouseOver == MouseOver;
}

// The bounds of a control aligned nowhere in a client area of Size, keeping
// its distances to the anchored edges of the Designed area it was placed in.
QRectF AnchoredBounds(const TControl& Control, const QSizeF& Size, const QSizeF& Designed)
{
    QRectF bounds = Control.Bounds();
    const TAnchors anchors = Control.Anchors();
    const auto stretch = [](double& Low, double& High, bool LowAnchor, bool HighAnchor, double Grow) {
        if (HighAnchor && LowAnchor)
            High += Grow;
        else if (HighAnchor) {
            Low += Grow;
            High += Grow;
        }
    };
    double left = bounds.left(), right = bounds.right(), top = bounds.top(), bottom = bounds.bottom();
    stretch(left, right, anchors.Contains(TAnchorKind::akLeft), anchors.Contains(TAnchorKind::akRight),
            Size.width() - Designed.width());
    stretch(top, bottom, anchors.Contains(TAnchorKind::akTop), anchors.Contains(TAnchorKind::akBottom),
            Size.height() - Designed.height());
    bounds.setCoords(left, top, right, bottom);
    return bounds;
}

// The children of Container that are placed controls, in their order.
std::vector<std::pair<QWidget*, TControl*>> PlacedChildren(QWidget& Container)
{
    std::vector<std::pair<QWidget*, TControl*>> children;
    for (QObject* object : Container.children()) {
        auto* widget = qobject_cast<QWidget*>(object);
        auto* control = dynamic_cast<TControl*>(object);
        if (widget != nullptr && control != nullptr && !widget->isWindow())
            children.emplace_back(widget, control);
    }
    return children;
}

template <typename T>
TStreamClass::TFactory WidgetFactory()
{
    return [](TPersistent* Owner) -> std::unique_ptr<TPersistent> {
        return std::make_unique<T>(dynamic_cast<QWidget*>(Owner));
    };
}

template <typename T>
TStreamClass::TFactory ObjectFactory()
{
    return [](TPersistent* Owner) -> std::unique_ptr<TPersistent> {
        return std::make_unique<T>(dynamic_cast<QObject*>(Owner));
    };
}

} // namespace

// --- Containers -------------------------------------------------------------------

TContainerControl::TContainerControl(QWidget* Parent)
    : QWidget(Parent)
{
}

void TContainerControl::ArrangeChildren(const QSizeF& Size, double Scale)
{
    ArrangeAligned(*this, Size, Scale);
}

void PlaceControl(QWidget& Child, const QRectF& Bounds, double Scale)
{
    // Edges are rounded, not sizes, so that neighbours meet without gaps.
    const QPoint topLeft(qRound(Bounds.left() * Scale), qRound(Bounds.top() * Scale));
    const QPoint bottomRight(qRound(Bounds.right() * Scale), qRound(Bounds.bottom() * Scale));
    Child.setGeometry(QRect(topLeft, QSize(std::max(0, bottomRight.x() - topLeft.x()),
                                           std::max(0, bottomRight.y() - topLeft.y()))));
    if (auto* container = dynamic_cast<TContainerControl*>(&Child))
        container->ArrangeChildren(Bounds.size(), Scale);
}

void ArrangeAligned(QWidget& Container, const QSizeF& Size, double Scale)
{
    const auto* self = dynamic_cast<const TControl*>(&Container);
    const QSizeF designed = self != nullptr ? self->Bounds().size() : Size;
    QRectF rest(QPointF(0, 0), Size);
    std::vector<std::pair<QWidget*, TControl*>> clients;
    for (const auto& [widget, control] : PlacedChildren(Container)) {
        const QMarginsF margins = control->Margins();
        const double width = control->Width() + margins.left() + margins.right();
        const double height = control->Height() + margins.top() + margins.bottom();
        QRectF bounds;
        switch (control->Align()) {
        case TAlignLayout::alTop:
            bounds = QRectF(rest.left(), rest.top(), rest.width(), height);
            rest.setTop(rest.top() + height);
            break;
        case TAlignLayout::alBottom:
            bounds = QRectF(rest.left(), rest.bottom() - height, rest.width(), height);
            rest.setBottom(rest.bottom() - height);
            break;
        case TAlignLayout::alLeft:
            bounds = QRectF(rest.left(), rest.top(), width, rest.height());
            rest.setLeft(rest.left() + width);
            break;
        case TAlignLayout::alRight:
            bounds = QRectF(rest.right() - width, rest.top(), width, rest.height());
            rest.setRight(rest.right() - width);
            break;
        case TAlignLayout::alClient:
            // The client area is what the others leave.
            clients.emplace_back(widget, control);
            continue;
        case TAlignLayout::alNone:
            PlaceControl(*widget, AnchoredBounds(*control, Size, designed), Scale);
            continue;
        }
        PlaceControl(*widget, bounds.marginsRemoved(margins), Scale);
    }
    for (const auto& [widget, control] : clients)
        PlaceControl(*widget, rest.marginsRemoved(control->Margins()), Scale);
}

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xF4, 0xF4, 0xF4));
    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TGridLayout::ArrangeChildren(const QSizeF& Size, double Scale)
{
    if (FItemWidth <= 0 || FItemHeight <= 0)
        return;
    const bool rows = FOrientation == TOrientation::orHorizontal;
    // Cells per row (or column); at least one, however narrow the grid.
    const auto perLine = std::max<qsizetype>(
        1, static_cast<qsizetype>(std::floor(rows ? Size.width() / FItemWidth : Size.height() / FItemHeight)));
    qsizetype index = 0;
    for (const auto& [widget, control] : PlacedChildren(*this)) {
        const qsizetype along = index % perLine;
        const qsizetype across = index / perLine;
        const QPointF corner = rows ? QPointF(along * FItemWidth, across * FItemHeight)
                                    : QPointF(across * FItemWidth, along * FItemHeight);
        PlaceControl(*widget, QRectF(corner, QSizeF(FItemWidth, FItemHeight)).marginsRemoved(control->Margins()), Scale);
        ++index;
    }
}

// --- Timer -----------------------------------------------------------------------

TTimer::TTimer(QObject* Parent)
    : QTimer(Parent)
{
    setInterval(DefaultInterval);
    connect(this, &QTimer::timeout, this, &TTimer::Tick);
    Run();
}

void TTimer::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    Run();
}

void TTimer::SetInterval(int Value)
{
    if (Value == interval())
        return;
    setInterval(std::max(0, Value));
    Run();
}

void TTimer::Run()
{
    if (FEnabled && interval() > 0) {
        // A running timer keeps its phase.
        if (!isActive())
            start();
    } else {
        stop();
    }
}

void TTimer::Tick()
{
    FLastError = CallCatching([this] { Fire(OnTimer, this); });
    if (!FLastError.isEmpty())
        qWarning("%s: %s", qPrintable(Name()), qPrintable(FLastError));
}

// --- Float animation -------------------------------------------------------------

TFloatAnimation::TFloatAnimation(QObject* Parent)
    : QPropertyAnimation(Parent)
{
    setDuration(qRound(DefaultDuration * 1000));
    setStartValue(FStartValue);
    setEndValue(FStopValue);
    if (Parent != nullptr) {
        setTargetObject(Parent);
        Parent->installEventFilter(this);
    }
}

void TFloatAnimation::SetPropertyName(const QString& Value)
{
    const QByteArray name = Value.toLatin1();
    if (targetObject() != nullptr && !name.isEmpty() && targetObject()->metaObject()->indexOfProperty(name) < 0)
        Raise<EConvertError>(messages::PropertyNotFound, {Value});
    setPropertyName(name);
}

void TFloatAnimation::SetStartValue(double Value)
{
    FStartValue = Value;
    setStartValue(Value);
}

void TFloatAnimation::SetStopValue(double Value)
{
    FStopValue = Value;
    setEndValue(Value);
}

void TFloatAnimation::SetDuration(double Value)
{
    FDuration = std::max(0.0, Value);
    setDuration(static_cast<int>(std::lround(std::min(FDuration, 86400.0) * 1000)));
}

void TFloatAnimation::SetTrigger(const QString& Value)
{
    CheckTrigger(Value);
    FTrigger = Value;
}

void TFloatAnimation::SetTriggerInverse(const QString& Value)
{
    CheckTrigger(Value);
    FTriggerInverse = Value;
}

void TFloatAnimation::Play(bool Forward)
{
    if (propertyName().isEmpty() || targetObject() == nullptr)
        return;
    // Changing the direction of a running sweep turns it round where it is.
    setDirection(Forward != FInverse ? QAbstractAnimation::Forward : QAbstractAnimation::Backward);
    if (state() != QAbstractAnimation::Running)
        start();
}

bool TFloatAnimation::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == targetObject() && (Event->type() == QEvent::Enter || Event->type() == QEvent::Leave)) {
        const bool over = Event->type() == QEvent::Enter;
        Guarded([&] {
            if (TriggerHolds(FTrigger, over))
                Play(true);
            else if (TriggerHolds(FTriggerInverse, over))
                Play(false);
        });
    }
    return QPropertyAnimation::eventFilter(Watched, Event);
}

void TFloatAnimation::updateCurrentValue(const QVariant& Value)
{
    Guarded([&] { QPropertyAnimation::updateCurrentValue(Value); });
}

void TFloatAnimation::Guarded(const std::function<void()>& Action)
{
    const QString error = CallCatching(Action);
    if (error.isEmpty())
        return;
    FLastError = error;
    // A sweep that failed once would fail on every frame.
    stop();
    qWarning("%s: %s", qPrintable(Name()), qPrintable(FLastError));
}

// --- Registration ------------------------------------------------------------------

void RegisterComponentClasses(TStreamRegistry& Registry)
{
    Registry.Register<TContainerControl, TControl>(QStringLiteral("TContainerControl"), {})
        .Children([&Registry](const TContainerControl& parent) { return StoredChildren(parent, Registry); },
                  [](TContainerControl& parent, std::unique_ptr<TPersistent> child) {
                      AdoptChild(parent, std::move(child));
                  });
    Registry.Register<TPanel, TContainerControl>(QStringLiteral("TPanel"), WidgetFactory<TPanel>());
    Registry.Register<TLayout, TContainerControl>(QStringLiteral("TLayout"), WidgetFactory<TLayout>());
    Registry.Register<TGridLayout, TContainerControl>(QStringLiteral("TGridLayout"), WidgetFactory<TGridLayout>())
        .Property(QStringLiteral("ItemWidth"), &TGridLayout::ItemWidth, &TGridLayout::SetItemWidth, 64.0)
        .Property(QStringLiteral("ItemHeight"), &TGridLayout::ItemHeight, &TGridLayout::SetItemHeight, 64.0)
        .Enum(QStringLiteral("Orientation"), &TGridLayout::Orientation, &TGridLayout::SetOrientation,
              TOrientation::orHorizontal, OrientationNames);

    TClassBuilder<TTimer> timer = Registry.Register<TTimer, TComponent>(QStringLiteral("TTimer"), ObjectFactory<TTimer>());
    timer.Property(QStringLiteral("Enabled"), &TTimer::Enabled, &TTimer::SetEnabled, true)
        .Property(QStringLiteral("Interval"), &TTimer::Interval, &TTimer::SetInterval, TTimer::DefaultInterval)
        .Property(QStringLiteral("Tag"), &TTimer::Tag, &TTimer::SetTag, 0);
    Event<TTimer>(timer, QStringLiteral("OnTimer"), [](TTimer& target, THandler handler) {
        target.OnTimer = handler ? TEvent<TTimer*>([handler](TTimer* sender) { handler(*sender); }) : TEvent<TTimer*>();
    });

    Registry.Register<TFloatAnimation, TComponent>(QStringLiteral("TFloatAnimation"), ObjectFactory<TFloatAnimation>())
        .Property(QStringLiteral("PropertyName"), &TFloatAnimation::PropertyName, &TFloatAnimation::SetPropertyName,
                  QString())
        .Property(QStringLiteral("StartValue"), &TFloatAnimation::StartValue, &TFloatAnimation::SetStartValue, 0.0)
        .Property(QStringLiteral("StopValue"), &TFloatAnimation::StopValue, &TFloatAnimation::SetStopValue, 0.0)
        .Property(QStringLiteral("Duration"), &TFloatAnimation::Duration, &TFloatAnimation::SetDuration,
                  TFloatAnimation::DefaultDuration)
        .Property(QStringLiteral("Inverse"), &TFloatAnimation::Inverse, &TFloatAnimation::SetInverse, false)
        .Property(QStringLiteral("Trigger"), &TFloatAnimation::Trigger, &TFloatAnimation::SetTrigger, QString())
        .Property(QStringLiteral("TriggerInverse"), &TFloatAnimation::TriggerInverse,
                  &TFloatAnimation::SetTriggerInverse, QString());
}

void SendClick(QWidget& Target)
{
    const QPointF centre = QRectF(Target.rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, Target.mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&Target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, Target.mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&Target, &release);
}

} // namespace zor
