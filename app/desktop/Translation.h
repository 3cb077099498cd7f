#pragma once

#include "app/bindings/DesktopText.h"
#include "app/bindings/DisplayTexts.h"

#include <string_view>

class QObject;
class QString;
class QWidget;

namespace korvel::app {

// The translation file. Its section TRANSLATIONS gives the window's components whose tag is above
// 0 their captions ("Form1.Component.Caption=Text", also ".Text") and hints (".Hint"). Its section
// TEXTS gives the program's own words where they show (lists, the status bar, units, messages):
// "English=Translation", one line each. "~~" in a text is a line break. Texts are bytes of the
// desktop code page. A line that names anything else changes nothing.
class Translation {
public:
    explicit Translation(DesktopText text);

    void apply(QWidget& form, std::string_view fileBytes) const;
    // The program's words the file gives.
    [[nodiscard]] DisplayTexts words(std::string_view fileBytes) const;

private:
    // The tagged component of that name, the letter case aside; null when there is none.
    [[nodiscard]] static QObject* component(QWidget& form, const QString& name);
    static void setProperty(QObject& component, const QString& property, const QString& text);
    static void setCaption(QObject& component, const QString& text);
    // The text of a line, its line breaks made.
    [[nodiscard]] QString lineText(std::string_view bytes) const;

    DesktopText m_text;
};

} // namespace korvel::app
