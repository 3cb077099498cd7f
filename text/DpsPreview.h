#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace korvel::model {
class StationSettings;
}

namespace korvel::text {

class DynamicPs;

// The modes of RGDPS1M, in the order of its items.
enum class DpsMode : std::uint8_t {
    Fixed = 0,          // "0 - Fixed 8 characters"
    Scrolling = 1,      // "1 - Scrolling text"
    WordAlignment = 2,  // "2 - Word alignment"
    SpaceSeparated = 3, // "3 - Space separated scrolling text"
};

// Imitates an 8-character receiver display showing the dynamic PS as the encoder presents it:
// label by label or scrolling, with the static PS (PSDEF) between loops. One call of
// TimerPreviewTimer is one tick of the TimerPreview timer; the display is the text LP.
class DpsPreview {
public:
    static constexpr int kIdle = -999;

    // Both must outlive the preview. It starts idle with no text, until ResetPreview.
    DpsPreview(model::StationSettings& settings, DynamicPs& dynamicPs);

    // Takes the text, mode and timing from the settings and waits for the first loop.
    void ResetPreview();
    // Starts a loop with the first label or window.
    void DynamicPSStart();
    // Moves to the next label or window.
    void DynamicPSNext();
    // Word alignment: where the label that begins at the current position ends.
    void GetNextDPSWord();
    // One tick: advances the preview, adapts the timer period and shows the display in LP.
    void TimerPreviewTimer();

    // Scrolling speed (RGDLD), label period (SEDPSLP) and delay between loops (SEDPS1DL) take
    // effect on the running loop, without a reset.
    void RGDLDClick();
    void SEDPSLPChange();
    void updateDelay();

    // Double click on the display.
    void LPDblClick();

    [[nodiscard]] DpsMode mode() const { return m_mode; }
    [[nodiscard]] int speed() const { return m_speed; }
    [[nodiscard]] int labelTicks() const { return m_labelTicks; }
    [[nodiscard]] int delayTicks() const { return m_delayTicks; }
    [[nodiscard]] int position() const { return m_position; }
    [[nodiscard]] bool running() const;

private:
    [[nodiscard]] int textLength() const;
    [[nodiscard]] int labelLimit() const;
    [[nodiscard]] int loopEnd() const;
    [[nodiscard]] std::chrono::milliseconds tickInterval() const;
    [[nodiscard]] std::string staticPs() const;
    [[nodiscard]] std::string window() const;

    model::StationSettings& m_settings;
    DynamicPs& m_dynamicPs;
    std::string m_text;
    DpsMode m_mode = DpsMode::WordAlignment;
    int m_speed = 0;
    int m_labelTicks = 0;
    int m_delayTicks = 0;
    int m_position = kIdle;
    int m_labelCounter = 0;
    int m_delayCounter = 0;
    int m_wordEnd = 0;
};

} // namespace korvel::text
