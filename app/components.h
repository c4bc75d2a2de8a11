#pragma once
// The components a dashboard layout is made of besides the instruments:
// panels and layouts that place their children, a grid of equal cells, a
// timer and the float animation that sweeps an instrument's property while
// the mouse is over it.

#include <QPropertyAnimation>
#include <QRectF>
#include <QTimer>
#include <QWidget>

#include "platform/control.h"
#include "platform/events.h"

namespace zor {

class TStreamRegistry;

namespace messages {
inline constexpr const char* TriggerNotSupported = "Trigger %s is not supported";
} // namespace messages

// A widget that places its children: the aligned ones side by side from its
// edges inwards, the others at their own bounds (keeping their distances to
// the anchored edges). Everything is measured in layout units and shown at
// Scale pixels per unit.
class TContainerControl : public QWidget, public TControl {
    Q_OBJECT

public:
    explicit TContainerControl(QWidget* Parent = nullptr);

    // Places the children in a client area of Size layout units and each
    // container among them in turn.
    virtual void ArrangeChildren(const QSizeF& Size, double Scale);
};

// Places the children of Container (widgets that are controls) in a client
// area of Size layout units, at Scale pixels per unit.
void ArrangeAligned(QWidget& Container, const QSizeF& Size, double Scale);
// Sets Child's pixel geometry to Bounds (layout units) at Scale and, for a
// container, arranges its children.
void PlaceControl(QWidget& Child, const QRectF& Bounds, double Scale);

// A left-button press and release at the centre of Target, as a user's click
// (the program's --click option and the tests drive the window with it).
void SendClick(QWidget& Target);

// A plain container with a painted background and edge.
class TPanel : public TContainerControl {
    Q_OBJECT

public:
    using TContainerControl::TContainerControl;

protected:
    void paintEvent(QPaintEvent* Event) override;
};

// A container that paints nothing.
class TLayout : public TContainerControl {
    Q_OBJECT

public:
    using TContainerControl::TContainerControl;
};

enum class TOrientation { orHorizontal, orVertical };
constexpr std::size_t EnumCount(TOrientation) { return 2; }

// Places its children in cells of ItemWidth × ItemHeight, in rows (or
// columns) from the top left, wrapping at its edge.
class TGridLayout : public TContainerControl {
    Q_OBJECT

public:
    using TContainerControl::TContainerControl;

    double ItemWidth() const { return FItemWidth; }
    void SetItemWidth(double Value) { FItemWidth = Value; }
    double ItemHeight() const { return FItemHeight; }
    void SetItemHeight(double Value) { FItemHeight = Value; }
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation Value) { FOrientation = Value; }

    void ArrangeChildren(const QSizeF& Size, double Scale) override;

private:
    double FItemWidth = 64;
    double FItemHeight = 64;
    TOrientation FOrientation = TOrientation::orHorizontal;
};

// A timer whose handler runs every Interval milliseconds while it is
// Enabled; enabling a running timer keeps its phase. Tag is free for the
// handler's use.
class TTimer : public QTimer, public TComponent {
    Q_OBJECT

public:
    static constexpr int DefaultInterval = 1000;

    explicit TTimer(QObject* Parent = nullptr);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Interval() const { return interval(); }
    void SetInterval(int Value);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    TEvent<TTimer*> OnTimer;
    // The message of the last error the handler raised; the event loop
    // cannot carry it.
    const QString& LastError() const { return FLastError; }

private:
    void Tick();
    void Run();

    bool FEnabled = true;
    int FTag = 0;
    QString FLastError;
};

// Sweeps a property of its parent from StartValue to StopValue in Duration
// seconds when the Trigger condition becomes true and back when the
// TriggerInverse condition does ("IsMouseOver=true", "IsMouseOver=false").
// Inverse plays it from StopValue to StartValue instead.
class TFloatAnimation : public QPropertyAnimation, public TComponent {
    Q_OBJECT

public:
    static constexpr double DefaultDuration = 0.2;

    // Animates Parent, and watches it for the trigger conditions.
    explicit TFloatAnimation(QObject* Parent = nullptr);

    QString PropertyName() const { return QString::fromLatin1(propertyName()); }
    void SetPropertyName(const QString& Value);
    double StartValue() const { return FStartValue; }
    void SetStartValue(double Value);
    double StopValue() const { return FStopValue; }
    void SetStopValue(double Value);
    // Seconds.
    double Duration() const { return FDuration; }
    void SetDuration(double Value);
    bool Inverse() const { return FInverse; }
    void SetInverse(bool Value) { FInverse = Value; }
    // Conditions: empty, "IsMouseOver=true" or "IsMouseOver=false"; any other
    // raises EConvertError "Trigger %s is not supported".
    const QString& Trigger() const { return FTrigger; }
    void SetTrigger(const QString& Value);
    const QString& TriggerInverse() const { return FTriggerInverse; }
    void SetTriggerInverse(const QString& Value);

    // Runs towards the stop value (forward), or back towards the start.
    void Play(bool Forward);
    const QString& LastError() const { return FLastError; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void updateCurrentValue(const QVariant& Value) override;

private:
    void Guarded(const std::function<void()>& Action);

    double FStartValue = 0;
    double FStopValue = 0;
    double FDuration = DefaultDuration;
    bool FInverse = false;
    QString FTrigger;
    QString FTriggerInverse;
    QString FLastError;
};

// Registers "TContainerControl" (abstract), "TPanel", "TLayout",
// "TGridLayout", "TTimer" and "TFloatAnimation"; needs RegisterControlClass.
void RegisterComponentClasses(TStreamRegistry& Registry);

} // namespace zor
