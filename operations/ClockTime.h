#pragma once

#include "encoder/MemoryMap.h"
#include "model/Clock.h"

namespace korvel::model {
class StationSettings;
}

namespace korvel::link {
class Transactions;
}

namespace korvel::operations {

// Keeps the encoder's RDS clock time running: once started, it loads the clock time of the
// coming minute one minute ahead, and at second 0 of every minute triggers it.
class ClockTime {
public:
    static constexpr const char* kStart = "Start";
    static constexpr const char* kStop = "Stop";

    // All must outlive the clock time.
    ClockTime(model::StationSettings& settings, link::Transactions& transactions, model::Clock& clock);

    // The Start/Stop button; its caption is the state.
    void BSETCTClick();
    // One tick of Timer3 while sending is on.
    void Timer3Timer();
    // Loads the clock time of the start of the next minute.
    void SendCT();
    // The operator's offsets count only while the system's time zone does not give them.
    void CBCTTZClick();
    // Whether daylight-saving time is in force now, as the system's time-zone rules say.
    [[nodiscard]] bool LetniCas() const;

    // The clock-time field for a local time and its offset from UTC in hours.
    [[nodiscard]] static encoder::ClockTime clockTimeFor(const model::LocalTime& local, int offset_h);
    // The same for a local time that carries its own offset from UTC, in minutes.
    [[nodiscard]] static encoder::ClockTime clockTimeInZone(const model::LocalTime& local);
    [[nodiscard]] static model::LocalTime oneMinuteLater(const model::LocalTime& time);

private:
    [[nodiscard]] encoder::ClockTime comingMinute() const;

    model::StationSettings& m_settings;
    link::Transactions& m_transactions;
    model::Clock& m_clock;
    model::LocalTime m_previousTick{}; // its minute is 0 at first; survives stop and start
};

} // namespace korvel::operations
