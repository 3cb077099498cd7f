#pragma once

#include "model/StationSettings.h"
#include "text/CodePage.h"

#include <QString>

class QComboBox;
class QFont;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace korvel::app {

// Every text field of a fixed length shows its whole length of the widest character it takes
// without scrolling, in every language: the sizes follow the fonts, not the layout around them.
// A field that takes any character of the desktop code page shows it in a fixed-pitch font, where
// the widest character is no wider than any other; the 64 characters of a radiotext would not fit
// the window in another.
class FixedLengthFields {
public:
    // Both must outlive the fields' sizing.
    FixedLengthFields(const model::StationSettings& settings, const text::CodePage& codePage);

    // Sizes the fixed-length fields under root.
    void fit(QWidget& root) const;

private:
    // The characters a field of that name takes: the code page's printable ones unless it
    // takes hexadecimal digits or digits only.
    [[nodiscard]] QString characters(model::ControlName name) const;
    // The width the text of that many of the widest of the characters takes in the font.
    [[nodiscard]] static int textWidth(const QFont& font, const QString& characters, int count);

    void fitLineEdit(QLineEdit& edit, model::ControlName name) const;
    void fitComboBox(QComboBox& combo, model::ControlName name) const;
    void fitGrid(QTableWidget& grid, model::ControlName name) const;
    // The text width of the field's whole length, in the font it takes for its characters.
    [[nodiscard]] int lengthWidth(QWidget& field, model::ControlName name, int length) const;

    const model::StationSettings& m_settings;
    QString m_printable;
};

} // namespace korvel::app
