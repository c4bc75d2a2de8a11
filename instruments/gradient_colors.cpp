#include "instruments/gradient_colors.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "platform/exceptions.h"

namespace zor {

namespace {

// Red, green and blue as numbers, in that order.
using TChannels = std::array<int, 3>;

constexpr int Alpha(TAlphaColor Color)
{
    return static_cast<int>(Color >> 24);
}

TChannels Channels(TAlphaColor Color)
{
    return {static_cast<int>((Color >> 16) & 0xFF), static_cast<int>((Color >> 8) & 0xFF),
            static_cast<int>(Color & 0xFF)};
}

TAlphaColor MakeColor(int A, const TChannels& C)
{
    return (static_cast<TAlphaColor>(A) << 24) | (static_cast<TAlphaColor>(C[0]) << 16) |
           (static_cast<TAlphaColor>(C[1]) << 8) | static_cast<TAlphaColor>(C[2]);
}

int ClampedChannel(int Value)
{
    return std::clamp(Value, 0, 255);
}

// Rounded half to even after the limit, so that no out-of-range product
// reaches the integer conversion.
int ClampedChannel(double Value)
{
    return static_cast<int>(std::nearbyint(std::clamp(Value, 0.0, 255.0)));
}

bool SameRGB(TAlphaColor A, TAlphaColor B)
{
    return (A & 0x00FFFFFF) == (B & 0x00FFFFFF);
}

TAlphaColor WithAlpha(TAlphaColor Color, int A)
{
    return (Color & 0x00FFFFFF) | (static_cast<TAlphaColor>(A) << 24);
}

// The channel in which Stop differs most from Previous; blue wins ties with
// either, green a tie with red.
std::size_t ChannelOfLargestChange(const TChannels& Stop, const TChannels& Previous)
{
    const int dR = std::abs(Stop[0] - Previous[0]);
    const int dG = std::abs(Stop[1] - Previous[1]);
    const int dB = std::abs(Stop[2] - Previous[2]);
    if (dG < dR)
        return dB >= dR ? 2 : 0;
    return dB >= dG ? 2 : 1;
}

// A previous channel of 0 makes any brightness an unlimited gain.
constexpr double UnlimitedRatio = 2147483648.0;

} // namespace

TAlphaColor ShadowColorOf(TAlphaColor LightColor)
{
    TChannels c = Channels(LightColor);
    const int m = *std::min_element(c.begin(), c.end());
    for (int& channel : c)
        channel -= m;
    return MakeColor(Alpha(LightColor), c);
}

std::vector<TAlphaColor> ShiftedColors(const std::vector<TAlphaColor>& Stops, TAlphaColor Color, int RefIndex)
{
    if (Stops.size() <= 1)
        return Stops.empty() ? Stops : std::vector<TAlphaColor>{Color};
    if (RefIndex < 0 || static_cast<std::size_t>(RefIndex) >= Stops.size())
        Raise<EListError>(QString::fromLatin1(messages::ListIndexOutOfBounds), {QString::number(RefIndex)});
    const TAlphaColor ref = Stops[static_cast<std::size_t>(RefIndex)];
    const TChannels refChannels = Channels(ref);
    const TChannels target = Channels(Color);
    std::vector<TAlphaColor> result;
    result.reserve(Stops.size());
    for (const TAlphaColor stop : Stops) {
        if (SameRGB(stop, ref)) {
            result.push_back(WithAlpha(Color, Alpha(stop)));
            continue;
        }
        const TChannels own = Channels(stop);
        TChannels shifted;
        for (std::size_t i = 0; i < shifted.size(); ++i)
            shifted[i] = ClampedChannel(target[i] + own[i] - refChannels[i]);
        result.push_back(MakeColor(Alpha(stop), shifted));
    }
    return result;
}

std::vector<TAlphaColor> ScaledColors(const std::vector<TAlphaColor>& Stops, TAlphaColor Color, bool FromFirst)
{
    if (Stops.size() <= 1)
        return Stops.empty() ? Stops : std::vector<TAlphaColor>{Color};
    std::vector<TAlphaColor> result(Stops.size());
    const std::size_t count = Stops.size();
    // Position k of the walk, from the starting end.
    auto at = [&](std::size_t k) { return FromFirst ? k : count - 1 - k; };

    const TAlphaColor first = Stops[at(0)];
    result[at(0)] = Color;
    TAlphaColor previous = first;
    TAlphaColor current = Color;
    for (std::size_t k = 1; k < count; ++k) {
        const TAlphaColor stop = Stops[at(k)];
        if (SameRGB(stop, first)) {
            current = WithAlpha(Color, Alpha(stop));
        } else {
            const TChannels own = Channels(stop);
            const TChannels before = Channels(previous);
            const std::size_t channel = ChannelOfLargestChange(own, before);
            const double ratio =
                before[channel] == 0 ? UnlimitedRatio : static_cast<double>(own[channel]) / before[channel];
            TChannels scaled = Channels(current);
            for (int& c : scaled)
                c = ClampedChannel(c * ratio);
            current = MakeColor(Alpha(stop), scaled);
        }
        result[at(k)] = current;
        previous = stop;
    }
    return result;
}

namespace {

// The grey the bevels are blended with.
constexpr TAlphaColor BevelGrey = 0xFF808080;

// A blend of one channel: premultiplied source and backdrop channels and
// alphas, all 0..1, to the premultiplied blended part.
using TChannelBlend = double (*)(double Sc, double Sa, double Dc, double Da);

double DodgeChannel(double Sc, double Sa, double Dc, double Da)
{
    if (Dc == 0)
        return 0;
    if (Sc >= Sa)
        return Sa * Da;
    return Sa * Da * std::min(1.0, Dc / Da * Sa / (Sa - Sc));
}

double BurnChannel(double Sc, double Sa, double Dc, double Da)
{
    if (Dc >= Da)
        return Sa * Da;
    if (Sc == 0)
        return 0;
    return Sa * Da * (1 - std::min(1.0, (1 - Dc / Da) * Sa / Sc));
}

// Source over Backdrop with Blend, un-premultiplied again.
TAlphaColor Blend(TAlphaColor Source, TAlphaColor Backdrop, TChannelBlend BlendChannel)
{
    const double sa = Alpha(Source) / 255.0;
    const double da = Alpha(Backdrop) / 255.0;
    const TChannels s = Channels(Source);
    const TChannels d = Channels(Backdrop);
    const double ra = sa + da - sa * da;
    TChannels result{};
    for (std::size_t i = 0; i < result.size(); ++i) {
        const double sc = s[i] / 255.0 * sa;
        const double dc = d[i] / 255.0 * da;
        const double blended = BlendChannel(sc, sa, dc, da) + sc * (1 - da) + dc * (1 - sa);
        result[i] = ClampedChannel(ra > 0 ? blended / ra * 255 : 0.0);
    }
    return MakeColor(ClampedChannel(ra * 255), result);
}

} // namespace

TAlphaColor DodgeColor(TAlphaColor Backdrop)
{
    return Blend(BevelGrey, Backdrop, DodgeChannel);
}

TAlphaColor BurnColor(TAlphaColor Backdrop)
{
    return Blend(BevelGrey, Backdrop, BurnChannel);
}

TAlphaColor MultipliedColor(TAlphaColor Color, double Factor)
{
    TChannels channels = Channels(Color);
    for (int& channel : channels)
        channel = ClampedChannel(channel * Factor);
    return MakeColor(Alpha(Color), channels);
}

TAlphaColor OffsetColor(TAlphaColor Color, int Delta)
{
    TChannels channels = Channels(Color);
    for (int& channel : channels)
        channel = ClampedChannel(channel + Delta);
    return MakeColor(Alpha(Color), channels);
}

TAlphaColor GlowColor(TAlphaColor Color, TAlphaColor Light)
{
    TChannels channels = Channels(Color);
    const TChannels light = Channels(Light);
    for (std::size_t i = 0; i < channels.size(); ++i)
        channels[i] = ClampedChannel(channels[i] + light[i] / 2);
    return MakeColor(Alpha(Color), channels);
}

} // namespace zor
