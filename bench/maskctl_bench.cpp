// Median time of one formatting pass and of one typed character of the Tallix number
// engine, under a fixed German-like locale with grouping and currency.
#include "EffectiveMask.h"
#include "FixedLocaleInfo.h"
#include "MaskFormatter.h"
#include "NumberEditEngine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace orvel;
using Clock = std::chrono::steady_clock;

namespace {

template<typename Work> double medianNanoseconds(int samples, Work work)
{
    std::vector<double> times;
    times.reserve(samples);
    for (int i = 0; i < samples; ++i) {
        const auto start = Clock::now();
        work(i);
        times.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + samples / 2, times.end());
    return times[samples / 2];
}

MaskSettings benchMask()
{
    MaskSettings s;
    s.maskType = 1;
    s.showCurrency = true;
    s.showThousandSep = true;
    s.decimalFixed = true;
    return s;
}

} // namespace

int main()
{
    const FixedLocaleInfo locale = FixedLocaleInfo::germanLike();
    const MaskSettings settings = benchMask();
    const QString values[] = { QStringLiteral("1234567.891"), QStringLiteral("-42.5"),
                               QStringLiteral("0"), QStringLiteral("98765432.1") };

    // One formatting pass includes resolving the effective settings from the locale,
    // as the control does at every change.
    volatile qsizetype sink = 0;
    const double format = medianNanoseconds(20001, [&](int i) {
        const EffectiveMask mask = EffectiveMask::resolve(settings, locale);
        sink = sink + MaskFormatter::format(values[i % 4], settings, mask).display.size();
    });

    NumberEditEngine engine(&locale);
    engine.settings() = settings;
    engine.setRunMode(true);
    engine.focusIn();
    const double typed = medianNanoseconds(20001, [&](int i) {
        if (i % 8 == 0) {
            engine.assignValue(QStringLiteral("1234"));
            engine.end(false);
        }
        engine.typeChar(QChar(u'0' + i % 10));
    });

    std::printf("formatting pass: median %.0f ns\n", format);
    std::printf("typed character: median %.0f ns\n", typed);
    return 0;
}
