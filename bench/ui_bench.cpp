// How long a numeric field takes to paste very long clipboard texts through
// Ctrl+V: the whole paste path, from reading the clipboard to the rewritten
// text (or the refusal). A user must never wait for it.

#include "ui/NumericEdit.h"

#include "calc/field_values.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <functional>
#include <random>

namespace
{

constexpr qsizetype Megabyte = qsizetype{1} << 20;

QString Digits(qsizetype count)
{
    std::mt19937 random(7);
    QString digits(count, u'0');
    for (QChar &digit : digits)
        digit = QChar(u'0' + static_cast<char16_t>(random() % 10));
    digits[0] = u'1';
    return digits;
}

// Digits grouped by threes with commas, `count` characters in all.
QString GroupedDigits(qsizetype count)
{
    QString text = Digits(count);
    for (qsizetype i = 1; i < count; i += 4)
        text[i] = u',';
    return text;
}

void PressPaste(varlo::NumericEdit &field)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(&field, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(&field, &release);
}

// Pastes `text` into an empty field once per iteration. `expected` is what the
// field must show afterwards; the run stops with an error otherwise.
void BenchmarkPaste(benchmark::State &state, const QString &text, const QString &expected)
{
    varlo::NumericEdit field;
    field.show();
    field.setFocus();
    QGuiApplication::clipboard()->setText(text);
    for (auto _ : state) {
        field.Clear();
        PressPaste(field);
        benchmark::DoNotOptimize(field.text().size());
    }
    if (field.text() != expected) {
        state.SkipWithError("the field shows an unexpected text");
        return;
    }
    state.SetBytesProcessed(state.iterations() * text.size() * qsizetype{sizeof(QChar)});
    state.counters["characters"] = static_cast<double>(text.size());
}

void BM_PasteDigits(benchmark::State &state)
{
    // So many digits overflow even the extended range while being read, which
    // makes the text unreadable: it reads as 0.
    BenchmarkPaste(state, Digits(state.range(0) * Megabyte), QStringLiteral("0.0"));
}
BENCHMARK(BM_PasteDigits)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_PasteZerosBeforeANumber(benchmark::State &state)
{
    // Readable to the end: leading zeros keep the value small.
    BenchmarkPaste(state, QString(state.range(0) * Megabyte, u'0') + QStringLiteral("12.34"),
                   QStringLiteral("12.3"));
}
BENCHMARK(BM_PasteZerosBeforeANumber)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_PasteGroupedDigits(benchmark::State &state)
{
    BenchmarkPaste(state, GroupedDigits(state.range(0) * Megabyte), QStringLiteral("0.0"));
}
BENCHMARK(BM_PasteGroupedDigits)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PasteRefused(benchmark::State &state)
{
    // Refused only by its last character, so that every character is looked at.
    BenchmarkPaste(state, Digits(state.range(0) * Megabyte) + u'x', QString());
}
BENCHMARK(BM_PasteRefused)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // No display needed: the field is never looked at.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    varlo::SetCurrentSeparators(varlo::Separators{u'.', u','});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
