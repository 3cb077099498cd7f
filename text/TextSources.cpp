#include "text/TextSources.h"

#include "model/StationSettings.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"
#include "text/RadiotextRotation.h"
#include "text/TextWriter.h"
#include "text/TitleCleanup.h"
#include "text/Utf8.h"

#include <algorithm>

namespace korvel::text {

namespace {

struct SourceControls {
    model::ControlName fromFile;
    model::ControlName enabled; // of the feature the source feeds
    model::ControlName name;
    model::ControlName sendOnChange;
    model::ControlName readFrom;
    model::ControlName cutBeginning;
    model::ControlName cutEnd;
    model::ControlName prefix;
    std::string model::ProgramState::*lastText;
};

// clang-format off
constexpr std::array<SourceControls, kSources> kControls{{
    {"CBR1FF", "CBRTEN", "ER1F", "CBR1SC", "RGR1L", "SER1BE", "SER1EN", "ER1PR", &model::ProgramState::rtFromFile},
    {"CBD1FF", "DPS1EN", "ED1F", "CBD1SC", "RGD1L", "SED1BE", "SED1EN", "ED1PR", &model::ProgramState::dpsFromFile},
}};
// clang-format on

constexpr std::size_t kRadiotextLength = 64;
constexpr std::string_view kEllipsis = "...";
constexpr model::ControlName kLabelGrid = "DPS1";

} // namespace

const std::array<TextSources::Target, kSources> TextSources::kTargets{{
    {&TextSources::showRadiotext, &TextSources::writeRadiotext},
    {&TextSources::showDynamicPs, &TextSources::writeDynamicPs},
}};

TextSources::TextSources(Parts parts)
    : m_parts(parts) {}

bool TextSources::active(std::size_t source) const {
    const SourceControls& controls = kControls[source];
    return m_parts.settings.flag(controls.fromFile) && m_parts.settings.flag(controls.enabled);
}

// The name field holds desktop characters; the file system spells names in UTF-8.
SourceOptions TextSources::options(std::size_t source) const {
    const SourceControls& controls = kControls[source];
    const model::StationSettings& settings = m_parts.settings;
    return {Utf8::encode(m_parts.codePage.decode(settings.text(controls.name))),
            settings.choice(controls.readFrom) == 0 ? SourceLines::Take::FirstLine
                                                    : SourceLines::Take::LastLine,
            settings.integer(controls.cutBeginning), settings.integer(controls.cutEnd)};
}

std::optional<SourcePoll> TextSources::startPoll() {
    SourcePoll poll{.sources = {}, .programFolder = m_parts.settings.program().programFolder};
    bool any = false;
    for (std::size_t source = 0; source < kSources; ++source) {
        if (active(source)) {
            poll.sources[source] = options(source);
            any = true;
        } else {
            m_unsent[source].reset();
        }
    }
    if (!any) {
        return std::nullopt;
    }
    return poll;
}

SourceTexts TextSources::read(const SourcePoll& poll, const SourceReader& reader) {
    SourceTexts texts;
    for (std::size_t source = 0; source < kSources; ++source) {
        if (poll.sources[source]) {
            texts[source] = reader.read(*poll.sources[source], poll.programFolder);
        }
    }
    return texts;
}

void TextSources::finishPoll(const SourcePoll& poll, const SourceTexts& texts) {
    for (std::size_t source = 0; source < kSources; ++source) {
        finish(source, poll.sources[source], texts[source]);
    }
}

void TextSources::finish(std::size_t source, const std::optional<SourceOptions>& asked,
                         const std::optional<SourceText>& read) {
    const SourceControls& controls = kControls[source];
    const Target& target = kTargets[source];
    model::StationSettings& settings = m_parts.settings;
    const bool isActive = active(source);
    const bool sendOnChange = settings.flag(controls.sendOnChange);
    if (!isActive || !sendOnChange) {
        m_unsent[source].reset();
    }
    if (!isActive) {
        return;
    }
    std::string& last = settings.program().*controls.lastText;
    if (read && read->readOk && asked == options(source) && read->text != last) {
        last = read->text;
        std::string shown =
            (this->*target.show)(settings.text(controls.prefix) + m_parts.cleanup.CharReplace(last));
        if (sendOnChange) {
            m_unsent[source] = std::move(shown);
        }
    }
    if (m_unsent[source] && (this->*target.write)(*m_unsent[source])) {
        m_unsent[source].reset();
    }
}

// A text too long for the radiotext ends in "..." at its last three places.
std::string TextSources::showRadiotext(std::string title) {
    if (title.size() > kRadiotextLength) {
        title = title.substr(0, kRadiotextLength - kEllipsis.size()) + std::string(kEllipsis);
    }
    m_parts.settings.setText("RT1", title);
    return title;
}

// The fixed labels of mode 0 are written as the grid shows them; the other modes take the text.
std::string TextSources::showDynamicPs(std::string title) {
    model::StationSettings& settings = m_parts.settings;
    settings.setText("DPS1B", title);
    const std::string justified = m_parts.dynamicPs.DPSJustify(title);
    const std::size_t label = DynamicPs::kLabelLength;
    for (int row = 0; row < settings.rows(kLabelGrid); ++row) {
        const std::size_t start = static_cast<std::size_t>(row) * label;
        settings.setCell(kLabelGrid, row, 0, start < justified.size() ? justified.substr(start, label) : "");
    }
    m_parts.preview.ResetPreview();
    return settings.choice("RGDPS1M") == 0 ? justified : title;
}

bool TextSources::writeRadiotext(const std::string& text) {
    const bool written = m_parts.writer.writeRadiotext(text, m_parts.rotation.ActualRTType() == 1);
    m_parts.rotation.restartPeriod();
    return written;
}

bool TextSources::writeDynamicPs(const std::string& text) {
    return m_parts.writer.writeDynamicPs(text);
}

std::vector<std::string> TextSources::watchedPaths(const SourcePoll& poll, const SourceTexts& texts) {
    std::vector<std::string> paths;
    for (std::size_t source = 0; source < kSources; ++source) {
        if (!poll.sources[source]) {
            continue;
        }
        const std::string name = SourceReader::resolve(poll.sources[source]->name, poll.programFolder);
        if (const std::string_view folder = SourceReader::folderOf(name); !folder.empty()) {
            paths.emplace_back(folder);
        }
        if (texts[source] && !texts[source]->path.empty()) {
            paths.push_back(texts[source]->path);
        }
    }
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

} // namespace korvel::text
