// The software extended arithmetic against the same steps on the host's x87
// unit (long double), and the throughput of reading and showing field texts.

#include "calc/density.h"
#include "calc/errors.h"
#include "calc/field_values.h"
#include "tests/calc/x87.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace
{

using namespace varlo;

// The density steps in hardware long double, for comparison only. On x86-64
// Linux long double is the x87 format with 64-bit precision, so each step
// rounds as the software does.
namespace hardware
{

const long double QuarterPi = x87::ToHardware(varlo::QuarterPi);
const long double TwelfthPi = x87::ToHardware(varlo::TwelfthPi);

float ToSingle(long double value)
{
    const float single = static_cast<float>(value);
    if (std::isinf(single))
        throw EOverflow();
    return single;
}

float CilindricVolume(double package, double tube, double traverse)
{
    const long double squares =
        static_cast<long double>(package) * package - static_cast<long double>(tube) * tube;
    return ToSingle(traverse * (squares * QuarterPi));
}

long double FrustumFactor(double max, double min)
{
    long double sum = static_cast<long double>(max) * max;
    sum = sum + static_cast<long double>(min) * max;
    sum = sum + static_cast<long double>(min) * min;
    return sum * TwelfthPi;
}

float ConicVolume(double maxPackage, double minPackage, double traverse, double maxTube,
                  double minTube)
{
    const long double tubeVolume = traverse * FrustumFactor(maxTube, minTube);
    const float roundedTube = ToSingle(tubeVolume);
    const long double packageVolume = traverse * FrustumFactor(maxPackage, minPackage);
    const float netVolume = ToSingle(packageVolume - roundedTube);
    if (!(tubeVolume < packageVolume) && netVolume > 0.0f)
        return 0.0f;
    return netVolume;
}

std::optional<double> WindingDensity(double yarn, float netVolume)
{
    if (!(netVolume > 0.0f) || !(yarn > 0.0))
        return std::nullopt;
    const long double grams = static_cast<long double>(yarn) * 1000000.0f;
    return ToSingle(grams / netVolume);
}

} // namespace hardware

struct CilindricInputs {
    double package = 180, tube = 60, traverse = 150, yarn = 1250;
};

struct ConicInputs {
    double maxPackage = 200.5, minPackage = 169.8, traverse = 145, maxTube = 68, minTube = 50,
           yarn = 1553.1;
};

void BM_CilindricDensityExtended(benchmark::State &state)
{
    CilindricInputs in;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        const float volume = CilindricVolume(in.package, in.tube, in.traverse);
        benchmark::DoNotOptimize(WindingDensity(in.yarn, volume));
    }
}
BENCHMARK(BM_CilindricDensityExtended);

void BM_CilindricDensityHardware(benchmark::State &state)
{
    CilindricInputs in;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        const float volume = hardware::CilindricVolume(in.package, in.tube, in.traverse);
        benchmark::DoNotOptimize(hardware::WindingDensity(in.yarn, volume));
    }
}
BENCHMARK(BM_CilindricDensityHardware);

void BM_ConicDensityExtended(benchmark::State &state)
{
    ConicInputs in;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        const float volume =
            ConicVolume(in.maxPackage, in.minPackage, in.traverse, in.maxTube, in.minTube);
        benchmark::DoNotOptimize(WindingDensity(in.yarn, volume));
    }
}
BENCHMARK(BM_ConicDensityExtended);

void BM_ConicDensityHardware(benchmark::State &state)
{
    ConicInputs in;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        const float volume = hardware::ConicVolume(in.maxPackage, in.minPackage, in.traverse,
                                                   in.maxTube, in.minTube);
        benchmark::DoNotOptimize(hardware::WindingDensity(in.yarn, volume));
    }
}
BENCHMARK(BM_ConicDensityHardware);

const std::vector<std::u16string> TypicalTexts = {
    u"180", u"60.0", u"152.9", u"1,250.0", u"1553.1", u"368.4", u"0.0", u"12345.6",
};

void BM_ParseFieldNumber(benchmark::State &state)
{
    const Separators separators;
    std::size_t next = 0;
    for (auto _ : state) {
        const std::u16string &text = TypicalTexts[next++ % TypicalTexts.size()];
        benchmark::DoNotOptimize(ParseFieldNumber(text, separators));
    }
}
BENCHMARK(BM_ParseFieldNumber);

void BM_FormatFieldNumber(benchmark::State &state)
{
    const Extended values[] = {
        Extended::fromDouble(368.4142150878906),
        Extended::fromDouble(1524.837890625),
        Extended::fromDouble(0.25),
        Extended::fromDouble(1234567.25),
        Extended::fromDouble(152.9),
        Extended::fromDouble(-0.05),
    };
    std::size_t next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatFieldNumber(values[next++ % std::size(values)], 1, u'.'));
}
BENCHMARK(BM_FormatFieldNumber);

void BM_FormatLargestDouble(benchmark::State &state)
{
    const Extended value = Extended::fromDouble(1.7976931348623157e308);
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatFieldNumber(value, 1, u'.'));
}
BENCHMARK(BM_FormatLargestDouble);

// A pasted text of ten million random digits.
void BM_ReadTenMegabyteDigits(benchmark::State &state)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> digit(0, 9);
    std::u16string text(10'000'000, u'0');
    for (char16_t &c : text)
        c = static_cast<char16_t>(u'0' + digit(random));
    const Separators separators;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseFieldNumber(text, separators));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadTenMegabyteDigits)->Unit(benchmark::kMillisecond);

// The same length with thousands separators to delete first.
void BM_ReadTenMegabyteGroupedDigits(benchmark::State &state)
{
    std::u16string text = u"1";
    while (text.size() < 10'000'000)
        text += u",000";
    const Separators separators;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseFieldNumber(text, separators));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadTenMegabyteGroupedDigits)->Unit(benchmark::kMillisecond);

} // namespace
