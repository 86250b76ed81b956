// The main window in process: the "Calcular" handler from the click to the
// written result fields, and the window's construction, which is most of what
// the program does before its first window is on screen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "layout/FontFallbacks.h"
#include "main_window/qt/Form1.h"
#include "platform/Platform.h"

namespace {

// A platform for a window that only calculates: a message box is counted,
// since one means the benchmark measured a refusal instead of a result.
class CalculatingPlatform : public zenalto::Platform {
public:
    int messages = 0;

    void messageBox(std::u16string_view /*prompt*/, zenalto::MessageStyle /*style*/,
                    std::u16string_view /*title*/) override {
        ++messages;
    }
    std::u16string decimalSeparator() override { return u"."; }
    void endProgram() override {}
    std::int32_t regOpenKeyEx(zenalto::RegistryKey /*root*/, std::string_view /*subKey*/,
                              std::uint32_t /*options*/, std::uint32_t /*samDesired*/,
                              zenalto::RegistryKey& /*result*/) override {
        return zenalto::ErrorFileNotFound;
    }
    std::int32_t regQueryValueEx(zenalto::RegistryKey /*key*/, std::string_view /*valueName*/,
                                 std::uint32_t& /*type*/, std::span<std::byte> /*data*/,
                                 std::int32_t& /*dataSize*/) override {
        return zenalto::ErrorFileNotFound;
    }
    std::int32_t regCloseKey(zenalto::RegistryKey /*key*/) override {
        return zenalto::ErrorSuccess;
    }
    bool fileExists(std::string_view /*path*/) override { return false; }
    void startProcess(std::string_view /*path*/) override {
        throw zenalto::PlatformError("nothing starts here");
    }
};

template <typename T>
T* Child(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

// Press "Calcular" with an altitude of `state.range(0)` and the radius of
// Clarke 1866; the two result fields are written each time.
void BM_Form1_Calcular(benchmark::State& state) {
    CalculatingPlatform platform;
    zenalto::qt::Form1 window(platform);
    window.show();
    QApplication::processEvents();
    auto* calcular = Child<QPushButton>(window, "Command1");
    auto* altitude = Child<QLineEdit>(window, "Text1");
    auto* metresPerSecond = Child<QLineEdit>(window, "Text3");
    altitude->setText(QString::number(state.range(0)));
    for (auto _ : state) {
        metresPerSecond->clear();
        calcular->click();
    }
    if (platform.messages != 0 || metresPerSecond->text().isEmpty()) {
        state.SkipWithError("the calculation was refused");
    }
}
BENCHMARK(BM_Form1_Calcular)->Arg(159)->Arg(900)->Unit(benchmark::kMicrosecond);

// The window built from its design, not shown.
void BM_Form1_Construct(benchmark::State& state) {
    CalculatingPlatform platform;
    for (auto _ : state) {
        zenalto::qt::Form1 window(platform);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_Form1_Construct)->Unit(benchmark::kMicrosecond);

// Built, shown and painted once on the offscreen platform.
void BM_Form1_ConstructShowPaint(benchmark::State& state) {
    CalculatingPlatform platform;
    for (auto _ : state) {
        zenalto::qt::Form1 window(platform);
        window.show();
        window.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Form1_ConstructShowPaint)->Unit(benchmark::kMicrosecond);

// The offscreen platform warns at every window shown that it cannot pass size
// hints on; in a benchmark loop that would drown the results.
void DropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QLatin1String("propagateSizeHints"))) {
        qt_message_output(type, context, text);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    // The window benchmarks need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(DropSizeHintWarnings);
    QApplication app(argc, argv);
    // As the program sets them up, so that the window is built as it is there.
    QApplication::setStyle(QStringLiteral("Windows"));
    zenalto::qt::InstallFontFallbacks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
