#include "app/desktop/Translation.h"

#include "settings/IniFile.h"

#include <QTabWidget>
#include <QVariant>
#include <QWidget>

namespace korvel::app {

namespace {

constexpr std::string_view kSection = "TRANSLATIONS";
constexpr std::string_view kWordsSection = "TEXTS";
const QString kFormName = QStringLiteral("Form1");
const QString kLineBreak = QStringLiteral("~~");

bool tagged(const QObject& object) {
    return object.property("tag").toInt() > 0;
}

bool hasProperty(const QObject& object, const char* name) {
    return object.metaObject()->indexOfProperty(name) >= 0;
}

// The page control that shows a widget as one of its pages, if any.
QTabWidget* pagesOf(QObject& component) {
    auto* page = qobject_cast<QWidget*>(&component);
    for (QObject* up = component.parent(); page != nullptr && up != nullptr; up = up->parent()) {
        if (auto* pages = qobject_cast<QTabWidget*>(up); pages != nullptr && pages->indexOf(page) >= 0) {
            return pages;
        }
    }
    return nullptr;
}

} // namespace

Translation::Translation(DesktopText text)
    : m_text(text) {}

void Translation::apply(QWidget& form, std::string_view fileBytes) const {
    const settings::IniFile file = settings::IniFile::parse(fileBytes);
    for (const auto& [key, text] : file.entries(kSection)) {
        const QStringList parts = m_text.toQString(key).split('.');
        if (parts.size() != 3 || parts[0] != kFormName) {
            continue;
        }
        if (QObject* target = component(form, parts[1])) {
            setProperty(*target, parts[2], lineText(text));
        }
    }
}

DisplayTexts Translation::words(std::string_view fileBytes) const {
    DisplayTexts words;
    const settings::IniFile file = settings::IniFile::parse(fileBytes);
    for (const auto& [english, text] : file.entries(kWordsSection)) {
        words.add(lineText(english), lineText(text));
    }
    return words;
}

QString Translation::lineText(std::string_view bytes) const {
    return m_text.toQString(bytes).replace(kLineBreak, "\n");
}

QObject* Translation::component(QWidget& form, const QString& name) {
    for (QObject* object : form.findChildren<QObject*>()) {
        if (tagged(*object) && object->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            return object;
        }
    }
    return nullptr;
}

void Translation::setProperty(QObject& component, const QString& property, const QString& text) {
    if (property.compare("Caption", Qt::CaseInsensitive) == 0 ||
        property.compare("Text", Qt::CaseInsensitive) == 0) {
        setCaption(component, text);
    } else if (property.compare("Hint", Qt::CaseInsensitive) == 0 && hasProperty(component, "toolTip")) {
        component.setProperty("toolTip", text);
    }
}

void Translation::setCaption(QObject& component, const QString& text) {
    if (QTabWidget* pages = pagesOf(component)) {
        pages->setTabText(pages->indexOf(qobject_cast<QWidget*>(&component)), text);
    } else if (hasProperty(component, "title")) {
        component.setProperty("title", text);
    } else if (hasProperty(component, "text")) {
        component.setProperty("text", text);
    }
}

} // namespace korvel::app
