#include "kxio/DynamicPsDisplay.h"

#include <algorithm>
#include <utility>

namespace korvel::kxio {

namespace {

constexpr std::size_t kMaxTextLength = 72;
constexpr int kIdle = -999;
constexpr int kRunningAbove = -20; // every position below this counts as idle
constexpr int kDelayTicksPerStep = 5;
constexpr int kFirstLoopLead = 6; // after a restart the first loop comes on the sixth tick
constexpr std::uint8_t kSpace = 0x20;
constexpr std::uint8_t kModeMask = 0x03;

DynamicPsDisplay::Label staticPs(const RegisterMemory& memory) {
    DynamicPsDisplay::Label label{};
    std::copy_n(memory.begin() + static_cast<std::ptrdiff_t>(index(Register::ProgrammeService)), label.size(),
                label.begin());
    return label;
}

std::vector<std::uint8_t> dpsText(const RegisterMemory& memory) {
    const std::size_t length = std::min<std::size_t>(at(memory, Register::DpsLength), kMaxTextLength);
    const auto first = memory.begin() + static_cast<std::ptrdiff_t>(index(Register::DpsText));
    return {first, first + static_cast<std::ptrdiff_t>(length)};
}

int delayTicks(const RegisterMemory& memory) {
    return kDelayTicksPerStep * at(memory, Register::DpsDelay);
}

} // namespace

DynamicPsDisplay::Label DynamicPsDisplay::tick(const RegisterMemory& memory) {
    std::vector<std::uint8_t> text = dpsText(memory);
    if (text.empty()) {
        m_active = false;
        return staticPs(memory);
    }
    const auto mode = static_cast<Mode>(at(memory, Register::DpsMode) & kModeMask);
    if (!m_active || mode != m_mode || text != m_text) {
        restart(memory, std::move(text), mode);
    }
    advance(memory);
    return running() ? window() : staticPs(memory);
}

bool DynamicPsDisplay::running() const {
    return m_position > kRunningAbove;
}

void DynamicPsDisplay::restart(const RegisterMemory& memory, std::vector<std::uint8_t> text, Mode mode) {
    m_text = std::move(text);
    m_mode = mode;
    m_active = true;
    m_position = kIdle;
    m_labelCounter = 0;
    m_delayCounter = std::max(delayTicks(memory) - kFirstLoopLead, 0);
}

void DynamicPsDisplay::advance(const RegisterMemory& memory) {
    const int delay = delayTicks(memory);
    if (running()) {
        const bool scrolling = m_mode == Mode::Scrolling || m_mode == Mode::SpacedScrolling;
        const int highSpeed = bitSet(memory, Register::DpsSpeed) ? 0 : 1;
        const int limit = scrolling ? 1 - highSpeed : at(memory, Register::DpsLabelPeriod);
        if (++m_labelCounter > limit) {
            nextLabel();
        }
    } else if (++m_delayCounter >= delay) {
        startLoop();
    }
    if (running() && m_position >= loopEnd()) {
        m_position = kIdle;
        m_delayCounter = 0;
        if (delay == 0) {
            startLoop();
        }
    }
}

void DynamicPsDisplay::startLoop() {
    m_labelCounter = 0;
    switch (m_mode) {
    case Mode::WordAligned:
        m_position = 0;
        findWordEnd();
        break;
    case Mode::SpacedScrolling:
        m_position = -static_cast<int>(kLabelLength);
        break;
    case Mode::Fixed:
    case Mode::Scrolling:
        m_position = 0;
        break;
    }
}

void DynamicPsDisplay::nextLabel() {
    m_labelCounter = 0;
    switch (m_mode) {
    case Mode::Fixed:
        m_position += static_cast<int>(kLabelLength);
        break;
    case Mode::WordAligned:
        m_position = m_wordEnd;
        findWordEnd();
        break;
    case Mode::Scrolling:
    case Mode::SpacedScrolling:
        ++m_position;
        break;
    }
}

// A label ends after the last space within reach of the window, the character just behind the
// window included; a word longer than the window is cut after 8 characters.
void DynamicPsDisplay::findWordEnd() {
    const int length = static_cast<int>(m_text.size());
    int end = m_position + static_cast<int>(kLabelLength) - 1;
    for (int i = m_position + 1; i <= m_position + static_cast<int>(kLabelLength); ++i) {
        if (i >= length || i < 0) {
            end = i;
            break;
        }
        if (m_text[static_cast<std::size_t>(i)] == kSpace) {
            end = i;
        }
    }
    m_wordEnd = end + 1;
}

int DynamicPsDisplay::loopEnd() const {
    const int length = static_cast<int>(m_text.size());
    const int label = static_cast<int>(kLabelLength);
    switch (m_mode) {
    case Mode::Scrolling:
        return length > label - 1 ? length - (label - 1) : 1;
    case Mode::SpacedScrolling:
        return length + 1;
    case Mode::Fixed:
    case Mode::WordAligned:
        break;
    }
    return length;
}

DynamicPsDisplay::Label DynamicPsDisplay::window() const {
    Label label{};
    const int length = static_cast<int>(m_text.size());
    for (std::size_t k = 0; k < kLabelLength; ++k) {
        const int i = m_position + static_cast<int>(k);
        const bool inText = i >= 0 && i < length && (m_mode != Mode::WordAligned || i < m_wordEnd);
        label[k] = inText ? m_text[static_cast<std::size_t>(i)] : kSpace;
    }
    return label;
}

} // namespace korvel::kxio
