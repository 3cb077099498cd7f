#include "text/DynamicPsEditors.h"

#include "model/StationSettings.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"

namespace korvel::text {

DynamicPsEditors::DynamicPsEditors(model::StationSettings& settings, DpsPreview& preview)
    : m_settings(settings)
    , m_preview(preview) {}

void DynamicPsEditors::followModeAndSource() {
    const bool fromFile = m_settings.flag("CBD1FF") && m_settings.flag("DPS1EN");
    const bool fixedLabels = m_settings.choice("RGDPS1M") == 0;
    const bool grid = fixedLabels && !fromFile;
    const bool freeText = !fixedLabels && !fromFile;
    m_settings.setEnabled("DPS1", grid);
    m_settings.setEnabled("LM0", grid);
    m_settings.setEnabled("DPS1B", freeText);
    m_settings.setEnabled("LM123", freeText);
}

void DynamicPsEditors::RGDPS1MClick() {
    followModeAndSource();
    m_preview.ResetPreview();
}

void DynamicPsEditors::DPS1ENClick() {
    followModeAndSource();
    m_preview.ResetPreview();
}

void DynamicPsEditors::SEDPS1DLChange() {
    m_preview.updateDelay();
}

int DynamicPsEditors::DPS1KeyPress(int row, char& key) {
    if (key == kEnter) {
        key = '\0';
        return (row + 1) % m_settings.rows("DPS1");
    }
    if (key != kBackspace && m_settings.cell("DPS1", row).size() >= DynamicPs::kLabelLength) {
        key = '\0';
    }
    return row;
}

void DynamicPsEditors::DPS1Exit() {
    m_preview.ResetPreview();
}

void DynamicPsEditors::DPS1BExit() {
    m_preview.ResetPreview();
}

} // namespace korvel::text
