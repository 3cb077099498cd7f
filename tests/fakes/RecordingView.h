#pragma once

#include "app/panel/FormView.h"

#include <string>
#include <vector>

namespace korvel::fakes {

// The window's side of start-up, written into a log that other fakes may share, so that a test
// sees the window's steps among the library's calls.
class RecordingView : public app::FormView {
public:
    explicit RecordingView(std::vector<std::string>& log)
        : m_log(log) {}

    void applyTranslation(const std::string& programFolder) override {
        m_log.push_back("applyTranslation(" + programFolder + ")");
    }
    void ALONTOPClick() override { m_log.emplace_back("ALONTOPClick"); }
    void clearDecoderIdentificationSelection() override {
        m_log.emplace_back("clearDecoderIdentificationSelection");
    }
    void showAtStart(bool visible) override { m_log.emplace_back(visible ? "show" : "leave hidden"); }

private:
    std::vector<std::string>& m_log;
};

} // namespace korvel::fakes
