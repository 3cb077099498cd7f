// Runs the real clock-time timer for 1,000 ticks and reports how far each tick falls from its
// tenth of a second on the wall clock. Target: 99 % within 20 ms.

#include "app/panel/ControlEvents.h"
#include "app/window/TimerBridge.h"
#include "model/StationSettings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace korvel;

constexpr int kTicks = 1000;
constexpr qint64 kTenth_ms = 100;

// Takes the ticks of Timer3 and notes how late each falls after its tenth of a second.
class TickRecorder : public app::ControlEvents {
public:
    void click(model::ControlName) override {}
    void doubleClick(model::ControlName) override {}
    void exit(model::ControlName) override {}
    bool filtersKeys(model::ControlName) const override { return false; }
    std::optional<model::ControlName> keyPress(model::ControlName, char&) override { return std::nullopt; }
    int gridKeyPress(model::ControlName, int row, char&) override { return row; }
    bool holds(model::ControlName, const std::string&) override { return true; }
    void edit(model::ControlName, const std::function<void()>& apply) override { apply(); }
    void idle() override {}
    void tick(model::ControlName timer) override {
        if (timer != model::ControlName("Timer3")) {
            return;
        }
        const qint64 late = QDateTime::currentMSecsSinceEpoch() % kTenth_ms;
        // A tick a little early counts by its distance to the coming boundary.
        lateness_ms.push_back(std::min(late, kTenth_ms - late));
        if (static_cast<int>(lateness_ms.size()) == kTicks) {
            QCoreApplication::quit();
        }
    }

    std::vector<qint64> lateness_ms;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    model::StationSettings settings;
    TickRecorder recorder;
    app::TimerBridge bridge(settings, recorder, nullptr);
    settings.setTimerEnabled("Timer3", true);
    QCoreApplication::exec();
    std::vector<qint64> sorted = recorder.lateness_ms;
    std::sort(sorted.begin(), sorted.end());
    const auto within20 = std::count_if(sorted.begin(), sorted.end(), [](qint64 ms) { return ms <= 20; });
    std::printf("ticks: %zu\n", sorted.size());
    std::printf("median: %lld ms, 99th percentile: %lld ms, worst: %lld ms\n",
                static_cast<long long>(sorted[sorted.size() / 2]),
                static_cast<long long>(sorted[sorted.size() * 99 / 100]),
                static_cast<long long>(sorted.back()));
    std::printf("within 20 ms: %.1f %%\n",
                100.0 * static_cast<double>(within20) / static_cast<double>(sorted.size()));
    return 0;
}
