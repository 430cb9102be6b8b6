// What a typed bit and a focus-in into a bit field cost through the dialog
// layer, against the same widget updates made with plain Qt calls, in every
// format (the plain updates include the stored value group's text boxes).
// Runs offscreen; prints CPU milliseconds per action, their ratio for all
// five formats and the highest ratio, and the paint events of each.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/startup.h"
#include "app/state.h"
#include "dialog/dialog_internal.h"
#include "dialog/dialog_qt.h"
#include "dialog/platform.h"
#include "numeric/stored_display.h"

#include "cpu_time.h"

namespace {

DIALOG& Main() { return ORVANEGLOBALS::DLG_MAIN; }
QWidget* Control(int id) { return DialogControl(Main(), id); }

// What every control of the main window shows.
struct Shown {
    QWidget* w;
    QString text;
    bool enabled;
    QRect geometry;
};
struct Screen {
    std::vector<Shown> controls;
    QWidget* focus;
};

QString TextOf(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QPlainTextEdit*>(w)) return b->toPlainText();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    return {};
}

Screen Snapshot() {
    Screen s{{}, QApplication::focusWidget()};
    for (QWidget* w : DialogWindow(Main())->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        s.controls.push_back({w, TextOf(w), w->isEnabled(), w->geometry()});
    return s;
}

// Puts `target` on screen with plain Qt calls, only where it differs, and
// lets it paint. No callback runs meanwhile.
void ApplyPlain(const Screen& target) {
    dialog_qt::ProgramChange quiet;
    for (const Shown& s : target.controls) {
        if (TextOf(s.w) != s.text) {
            if (auto* e = qobject_cast<QLineEdit*>(s.w)) e->setText(s.text);
            else if (auto* l = qobject_cast<QLabel*>(s.w)) l->setText(s.text);
            else if (auto* b = qobject_cast<QPlainTextEdit*>(s.w)) b->setPlainText(s.text);
            else if (auto* b = qobject_cast<QAbstractButton*>(s.w)) b->setText(s.text);
        }
        if (s.w->isEnabled() != s.enabled) s.w->setEnabled(s.enabled);
        if (s.w->geometry() != s.geometry) s.w->setGeometry(s.geometry);
    }
    if (target.focus && QApplication::focusWidget() != target.focus) target.focus->setFocus(Qt::MouseFocusReason);
    Paint();
}

struct Format {
    const char* name;
    int radio;
    int sign;
    int fraction;
};
const Format kFormats[] = {
    {"binary32", IDC_FORMAT_32, IDC_SIGN_32, IDC_FRACTION_32},
    {"binary64", IDC_FORMAT_64, IDC_SIGN_64, IDC_FRACTION_64},
    {"binary128", IDC_FORMAT_128, IDC_SIGN_128, IDC_FRACTION_128_HIGH},
    {"binary16", IDC_FORMAT_16, IDC_SIGN_16, IDC_FRACTION_16},
    {"bfloat16", IDC_FORMAT_BF16, IDC_SIGN_BF16, IDC_FRACTION_BF16},
};

struct Result {
    double layer = 0, plain = 0;
    double layerPaints = 0, plainPaints = 0;  // paint events per action
};

// Counts the paint events the application delivers.
struct PaintCounter : QObject {
    long paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};
PaintCounter* g_paints = nullptr;
long Paints() { return g_paints ? g_paints->paints : 0; }
std::map<std::string, Result> g_results;
std::map<std::string, double> g_refresh;

// Chooses the format by its radio, as a click does; false when its row is not live.
bool ChooseFormat(const Format& f) {
    auto* radio = qobject_cast<QAbstractButton*>(Control(f.radio));
    if (!radio) return false;
    radio->click();
    Paint();
    return Control(f.fraction) && Control(f.fraction)->isEnabled() && Control(f.sign)->isEnabled();
}

// Runs `action` through the layer, then the same screen change with plain Qt calls.
template <class Action>
void Measure(benchmark::State& state, const std::string& key, Action action) {
    double layer = 0, plain = 0;
    long layerPaints = 0, plainPaints = 0;
    for (auto _ : state) {
        const Screen before = Snapshot();
        const long p0 = Paints();
        const double t0 = CpuMs();
        action();
        Paint();
        const double t1 = CpuMs();
        const long p1 = Paints();
        const Screen after = Snapshot();
        ApplyPlain(before);
        const long p2 = Paints();
        const double t2 = CpuMs();
        ApplyPlain(after);
        const double t3 = CpuMs();
        layer += t1 - t0;
        plain += t3 - t2;
        layerPaints += p1 - p0;
        plainPaints += Paints() - p2;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["layer_ms"] = layer / n;
    state.counters["plain_ms"] = plain / n;
    state.counters["ratio"] = plain > 0 ? layer / plain : 0;
    g_results[key] = {layer / n, plain / n, static_cast<double>(layerPaints) / n, static_cast<double>(plainPaints) / n};
}

void TypedBit(benchmark::State& state, const Format* f) {
    if (!ChooseFormat(*f)) {
        state.SkipWithError("the format's row is not live");
        for (auto _ : state) {}
        return;
    }
    auto* edit = qobject_cast<QLineEdit*>(Control(f->fraction));
    edit->setFocus(Qt::MouseFocusReason);
    Paint();
    int n = 0;
    Measure(state, std::string(f->name) + " typed bit", [&] {
        // Types over one bit (the field keeps its width): a real key press.
        const int pos = 1 + (n++ % 4);
        edit->setSelection(pos, 1);
        const QString text = edit->text();
        const QChar old = pos < text.size() ? text[pos] : QChar(u'0');
        QTest::keyClick(edit, old == u'1' ? '0' : '1');
    });
}

void FocusIn(benchmark::State& state, const Format* f) {
    if (!ChooseFormat(*f)) {
        state.SkipWithError("the format's row is not live");
        for (auto _ : state) {}
        return;
    }
    QWidget* fields[] = {Control(f->sign), Control(f->fraction)};
    int n = 0;
    Measure(state, std::string(f->name) + " focus-in", [&] { fields[n++ % 2]->setFocus(Qt::MouseFocusReason); });
}

// The stored value group refreshed for the pattern with the most digits of
// each format (the smallest subnormal, the largest finite value), texts
// computed and put on screen.
struct Refresh {
    const char* name;
    int kind;
    ieee::uint128 pattern;
};
const Refresh kRefreshes[] = {
    {"binary128 smallest subnormal", ieee::KIND_BINARY128, 1},
    {"binary128 largest subnormal", ieee::KIND_BINARY128, (ieee::uint128(1) << 112) - 1},
    {"binary128 largest finite", ieee::KIND_BINARY128,
     (ieee::uint128(0x7FFE) << 112) | ((ieee::uint128(1) << 112) - 1)},
    {"binary64 smallest subnormal", ieee::KIND_BINARY64, 1},
    {"binary64 largest subnormal", ieee::KIND_BINARY64, (ieee::uint128(1) << 52) - 1},
    {"binary32 largest subnormal", ieee::KIND_BINARY32, (ieee::uint128(1) << 23) - 1},
    {"binary16 largest subnormal", ieee::KIND_BINARY16, (ieee::uint128(1) << 10) - 1},
    {"bfloat16 largest subnormal", ieee::KIND_BFLOAT16, (ieee::uint128(1) << 7) - 1},
};

void StoredValueRefresh(benchmark::State& state, const Refresh* r) {
    const Format* format = nullptr;
    for (const Format& f : kFormats)
        if (std::string(f.name) == ieee::FormatFor(r->kind)->name) format = &f;
    if (!format || !ChooseFormat(*format)) {
        state.SkipWithError("the format's row is not live");
        for (auto _ : state) {}
        return;
    }
    SET_STORED_PATTERN(r->kind, r->pattern);
    double total = 0;
    for (auto _ : state) {
        CLEAR_STORED_VALUE(Main());
        Paint();
        const double t0 = CpuMs();
        SHOW_STORED_VALUE(Main());
        Paint();
        total += CpuMs() - t0;
    }
    state.counters["refresh_ms"] = total / static_cast<double>(state.iterations());
    g_refresh[r->name] = total / static_cast<double>(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    platform::PlatformHooks hooks;
    hooks.messageBox = [](std::string_view, std::string_view, unsigned) { return IDOK; };
    platform::SetPlatformHooks(hooks);
    RESET_SHARED_STATE();
    if (!ORVANE_STARTUP(1)) return 1;
    QWidget* window = DialogWindow(Main());
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window)) return 1;
    Paint();
    PaintCounter paints;
    g_paints = &paints;
    app.installEventFilter(&paints);
    for (const Format& f : kFormats) {
        benchmark::RegisterBenchmark((std::string("TypedBit/") + f.name).c_str(), TypedBit, &f)
            ->Iterations(60)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("FocusIn/") + f.name).c_str(), FocusIn, &f)
            ->Iterations(60)
            ->Unit(benchmark::kMillisecond);
    }
    for (const Refresh& r : kRefreshes)
        benchmark::RegisterBenchmark((std::string("StoredValueRefresh/") + r.name).c_str(), StoredValueRefresh, &r)
            ->Iterations(20)
            ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\n%-22s %10s %10s %7s %13s\n", "action", "layer ms", "plain ms", "ratio", "paints l / p");
    double highest = 0;
    std::string highestKey = "-";
    for (const auto& [key, r] : g_results) {
        const double ratio = r.plain > 0 ? r.layer / r.plain : 0.0;
        std::printf("%-22s %10.3f %10.3f %7.2f %6.1f / %4.1f\n", key.c_str(), r.layer, r.plain, ratio, r.layerPaints,
                    r.plainPaints);
        if (ratio > highest) {
            highest = ratio;
            highestKey = key;
        }
    }
    std::printf("highest ratio %.2f (%s), %zu of %zu actions measured; goal: at most 1.50\n", highest,
                highestKey.c_str(), g_results.size(), 2 * std::size(kFormats));
    std::printf("\n%-30s %12s\n", "stored value group refresh", "ms (CPU)");
    for (const auto& [key, ms] : g_refresh) std::printf("%-30s %12.3f\n", key.c_str(), ms);
    app.removeEventFilter(&paints);
    g_paints = nullptr;
    ORVANE_SHUTDOWN();
    benchmark::Shutdown();
    return 0;
}
