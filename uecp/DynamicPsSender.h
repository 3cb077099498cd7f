#pragma once

#include "kxio/DynamicPsDisplay.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace korvel::uecp {

// Puts the dynamic PS on air as PS messages, one label per step of the stand-in's own display
// (the same code), so that the encoder shows what the control panel's preview shows. A step lasts
// one transmission of the PS label: four groups, and one more each for radiotext and the user group.
class DynamicPsSender {
public:
    using Label = kxio::DynamicPsDisplay::Label;
    using Source = std::function<kxio::RegisterMemory()>; // the registers as the program wrote them
    using Sink = std::function<bool(const Label&)>;       // sends one label; false when it failed

    // The group rate of RDS: 1187.5 bit/s, 104 bits a group.
    static constexpr std::chrono::microseconds kGroupDuration{87'579};

    // startThread false leaves the stepping to the caller (tests call step()).
    DynamicPsSender(Source source, Sink sink, bool startThread = true);
    DynamicPsSender(const DynamicPsSender&) = delete;
    DynamicPsSender& operator=(const DynamicPsSender&) = delete;
    ~DynamicPsSender(); // stops and joins; call without holding what the sink locks

    // One step; returns how long it lasts.
    std::chrono::microseconds step();

private:
    void run();

    Source m_source;
    Sink m_sink;
    kxio::DynamicPsDisplay m_display;
    std::optional<Label> m_sent; // the label the encoder shows, while the dynamic PS runs
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace korvel::uecp
