#pragma once

namespace korvel::model {

// Where the station settings are kept between runs: Store saves them along with the encoder.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Throws when the settings cannot be written.
    virtual void SaveRDSFN() = 0;
};

} // namespace korvel::model
