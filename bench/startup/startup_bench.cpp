// bench_startup: how long the program takes from process start to the disclaimer window
// on screen, and from "&OK" to the main window on screen, and how much memory it holds.
//
// Run without arguments it starts itself again and again as a child process, each child
// going through the program's own start-up code on the current platform (offscreen by
// default), and prints medians. The clock is the system-wide monotonic clock, read by the
// parent just before it starts the child and by the child when a window first paints.
// Each run is timed twice: with the fonts installed here, and with a font-heavy desktop made
// for the benchmark from copies of them (see ManyFonts.h), whose font lookups cost more.
#include "ManyFonts.h"
#include "forms/disclaimer/frmSplash.h"
#include "startup/StartUp.h"

#include <QApplication>
#include <QEvent>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

// A font-heavy desktop: the faces fontconfig lists with the 48 font packages of one installed.
constexpr int kManyFonts = 1563;

std::int64_t NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

// Peak resident set of this process in kilobytes, as the kernel counts it.
long PeakRssKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

// Notes the moment a window is first painted, then runs the next step.
class FirstPaint : public QObject {
public:
    FirstPaint(std::int64_t* when, std::function<void()> next)
        : when_(when), next_(std::move(next)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && *when_ == 0) {
            *when_ = NowNs();
            watched->removeEventFilter(this);
            // Let the paint finish before the next step.
            QTimer::singleShot(0, next_);
        }
        return false;
    }

private:
    std::int64_t* when_;
    std::function<void()> next_;
};

QWidget* FindMainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QStringLiteral("Form1") && w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

int RunChild(int argc, char** argv, std::int64_t parentStart) {
    QApplication app(argc, argv);
    std::int64_t splashShown = 0;
    std::int64_t okPressed = 0;
    std::int64_t mainShown = 0;

    FirstPaint mainPainted(&mainShown, [] { QApplication::closeAllWindows(); });
    FirstPaint splashPainted(&splashShown, [&] {
        okPressed = NowNs();
        korven::forms::frmSplash::Instance()->XPButton1_Click();
        if (QWidget* main = FindMainWindow()) {
            main->installEventFilter(&mainPainted);
            main->update();
        } else {
            QApplication::exit(3);
        }
    });

    korven::forms::frmSplash* splash = korven::startup::StartProgram();
    splash->installEventFilter(&splashPainted);
    const int code = app.exec();
    if (code != 0 || splashShown == 0 || mainShown == 0) {
        std::fprintf(stderr, "child run failed (exit %d)\n", code);
        return 1;
    }
    std::printf("%lld %lld %ld\n", static_cast<long long>(splashShown - parentStart),
                static_cast<long long>(mainShown - okPressed), PeakRssKb());
    return 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One way of starting: the children's environment and what each gave.
struct Case {
    const char* name;
    QProcessEnvironment environment;
    std::vector<double> toSplash;
    std::vector<double> toMain;
    std::vector<double> rss;
};

bool RunOnce(const char* self, Case& run, int index) {
    QProcess child;
    child.setProcessEnvironment(run.environment);
    const std::int64_t start = NowNs();
    child.start(QString::fromLocal8Bit(self), {QStringLiteral("--child"), QString::number(start)});
    // The child's platform chatter is shown only when a run goes wrong.
    if (!child.waitForFinished(30000) || child.exitCode() != 0) {
        std::fprintf(stderr, "%s, run %d failed:\n%s\n", run.name, index,
                     child.readAllStandardError().constData());
        return false;
    }
    long long splashNs = 0;
    long long mainNs = 0;
    long rssKb = 0;
    if (std::sscanf(child.readAllStandardOutput().constData(), "%lld %lld %ld", &splashNs, &mainNs,
                    &rssKb) != 3) {
        std::fprintf(stderr, "%s, run %d gave no figures\n", run.name, index);
        return false;
    }
    run.toSplash.push_back(splashNs / 1e6);
    run.toMain.push_back(mainNs / 1e6);
    run.rss.push_back(rssKb / 1024.0);
    return true;
}

void Report(const Case& run) {
    const auto [fastest, slowest] = std::minmax_element(run.toSplash.begin(), run.toSplash.end());
    const auto [fastestMain, slowestMain] =
        std::minmax_element(run.toMain.begin(), run.toMain.end());
    std::printf("%s:\n", run.name);
    std::printf("  process start -> disclaimer shown: median %.1f ms (min %.1f, max %.1f)\n",
                Median(run.toSplash), *fastest, *slowest);
    std::printf("  OK -> main window shown:           median %.1f ms (min %.1f, max %.1f)\n",
                Median(run.toMain), *fastestMain, *slowestMain);
    std::printf("  peak resident memory:              median %.1f MB (max %.1f)\n", Median(run.rss),
                *std::max_element(run.rss.begin(), run.rss.end()));
}

int RunParent(const char* self, int runs) {
    const QProcessEnvironment inherited = QProcessEnvironment::systemEnvironment();
    std::vector<Case> cases;
    cases.push_back({"fonts installed here", inherited, {}, {}, {}});

    // The many-fonts desktop lives as long as the runs; its cache is built before any run,
    // and one untimed run lets the child's first touch of it settle. Where it cannot be made,
    // the fonts installed here are still timed.
    QTemporaryDir folder;
    std::optional<korven::bench::ManyFonts> manyFonts;
    if (folder.isValid()) {
        manyFonts.emplace(folder.path(), kManyFonts);
    }
    std::string crowdedName;
    if (!manyFonts || !manyFonts->Ready()) {
        std::fprintf(stderr, "no many-fonts case: %s\n",
                     manyFonts ? qPrintable(manyFonts->Error()) : "no temporary folder");
    } else {
        if (manyFonts->Listed() < kManyFonts) {
            std::fprintf(stderr, "the many-fonts case lists only %d faces\n", manyFonts->Listed());
        }
        QProcessEnvironment crowded = inherited;
        crowded.insert(QStringLiteral("FONTCONFIG_FILE"), manyFonts->ConfigFile());
        crowdedName = "many fonts (" + std::to_string(manyFonts->Listed()) + " listed, " +
                      std::to_string(manyFonts->Added()) + " added)";
        cases.push_back({crowdedName.c_str(), crowded, {}, {}, {}});
    }
    for (Case& run : cases) {
        if (!RunOnce(self, run, 0)) {
            return 1;
        }
        run.toSplash.clear();
        run.toMain.clear();
        run.rss.clear();
    }

    // The cases take turns, so that a busy moment on the machine falls on both alike.
    for (int i = 1; i <= runs; ++i) {
        for (Case& run : cases) {
            if (!RunOnce(self, run, i)) {
                return 1;
            }
        }
    }
    std::printf("runs: %d per case (platform %s)\n", runs, qgetenv("QT_QPA_PLATFORM").constData());
    for (const Case& run : cases) {
        Report(run);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--child") {
        return RunChild(argc, argv, std::atoll(argv[2]));
    }
    int runs = 20;
    if (argc >= 2) {
        runs = std::max(1, std::atoi(argv[1]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QCoreApplication app(argc, argv);
    return RunParent(argv[0], runs);
}
