#pragma once

#include "app/bindings/DesktopText.h"

#include <string_view>

class QObject;
class QString;
class QWidget;

namespace korvel::app {

// The translation file: lines "Form1.Component.Property=Text" in its section TRANSLATIONS give
// captions ("Caption", "Text") and hints ("Hint") to the window's components whose tag is above
// 0; "~~" in a text is a line break. Texts are bytes of the desktop code page. A line that
// names anything else changes nothing.
class Translation {
public:
    static constexpr const char* kFileName = "fennel.lng";

    explicit Translation(DesktopText text);

    void apply(QWidget& form, std::string_view fileBytes) const;

private:
    // The tagged component of that name, the letter case aside; null when there is none.
    [[nodiscard]] static QObject* component(QWidget& form, const QString& name);
    static void setProperty(QObject& component, const QString& property, const QString& text);
    static void setCaption(QObject& component, const QString& text);

    DesktopText m_text;
};

} // namespace korvel::app
