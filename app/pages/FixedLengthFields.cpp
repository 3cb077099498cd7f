#include "app/pages/FixedLengthFields.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <cmath>

namespace korvel::app {

namespace {

enum class Takes : std::uint8_t { Hexadecimal, Digits };

struct FilteredField {
    model::ControlName name;
    Takes takes;
};

// The fields whose keys are filtered; every other fixed-length field takes any character.
// clang-format off
constexpr std::array kFilteredFields{
    FilteredField{"PI",    Takes::Hexadecimal},
    FilteredField{"DB3",   Takes::Hexadecimal}, FilteredField{"DB4",  Takes::Hexadecimal},
    FilteredField{"DB5",   Takes::Hexadecimal}, FilteredField{"DB6",  Takes::Hexadecimal},
    FilteredField{"DB7",   Takes::Hexadecimal},
    FilteredField{"DB3D",  Takes::Digits},      FilteredField{"DB4D", Takes::Digits},
    FilteredField{"DB5D",  Takes::Digits},      FilteredField{"DB6D", Takes::Digits},
    FilteredField{"DB7D",  Takes::Digits},
    FilteredField{"ELPTA", Takes::Digits},
};
// clang-format on

constexpr const char* kHexadecimal = "0123456789ABCDEFabcdef";
constexpr const char* kDigits = "0123456789";
// QLineEdit's own room on either side of its text, and the caret's after it.
constexpr int kLineEditMargin_px = 2;
constexpr int kCaret_px = 1;

const FilteredField* filtered(model::ControlName name) {
    const auto found = std::find_if(kFilteredFields.begin(), kFilteredFields.end(),
                                    [name](const FilteredField& field) { return field.name == name; });
    return found != kFilteredFields.end() ? &*found : nullptr;
}

// The fixed-pitch face of the field's own font: its size and weight stay.
QFont fixedPitch(const QFont& font) {
    QFont fixed = font;
    fixed.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    fixed.setStyleHint(QFont::TypeWriter);
    return fixed;
}

// A line edit's width beyond its text: frame, margins and the caret.
int lineEditRoom(const QLineEdit& edit, int width) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = QRect(0, 0, width, edit.height());
    option.lineWidth =
        edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    const QMargins text = edit.textMargins();
    return width - contents.width() + text.left() + text.right() + 2 * kLineEditMargin_px + kCaret_px;
}

void atLeast(QWidget& widget, int width) {
    widget.setMinimumWidth(width);
    widget.setMaximumWidth(std::max(widget.maximumWidth(), width));
}

} // namespace

FixedLengthFields::FixedLengthFields(const model::StationSettings& settings, const text::CodePage& codePage)
    : m_settings(settings) {
    for (int byte = ' '; byte <= 0xFF; ++byte) {
        const auto character = codePage.toUnicode(static_cast<std::uint8_t>(byte));
        if (character && *character <= 0xFFFF && QChar::isPrint(*character)) {
            m_printable += QChar(static_cast<char16_t>(*character));
        }
    }
}

QString FixedLengthFields::characters(model::ControlName name) const {
    const FilteredField* field = filtered(name);
    if (field == nullptr) {
        return m_printable;
    }
    return QString::fromLatin1(field->takes == Takes::Hexadecimal ? kHexadecimal : kDigits);
}

int FixedLengthFields::textWidth(const QFont& font, const QString& characters, int count) {
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (const QChar character : characters) {
        widest = std::max(widest, metrics.horizontalAdvance(character));
    }
    return static_cast<int>(std::ceil(widest * count));
}

void FixedLengthFields::fit(QWidget& root) const {
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(&root);
    for (QWidget* widget : widgets) {
        const auto name = model::ControlName::find(widget->objectName().toStdString());
        const bool text = name && (name->kind() == model::Kind::Text || name->kind() == model::Kind::Grid);
        if (!text || m_settings.maxLength(*name) <= 0) {
            continue;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            fitLineEdit(*edit, *name);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && combo->isEditable()) {
            fitComboBox(*combo, *name);
        } else if (auto* grid = qobject_cast<QTableWidget*>(widget)) {
            fitGrid(*grid, *name);
        }
    }
}

int FixedLengthFields::lengthWidth(QWidget& field, model::ControlName name, int length) const {
    if (filtered(name) == nullptr) {
        field.setFont(fixedPitch(field.font()));
    }
    return textWidth(field.font(), characters(name), length);
}

void FixedLengthFields::fitLineEdit(QLineEdit& edit, model::ControlName name) const {
    const int text = lengthWidth(edit, name, m_settings.maxLength(name));
    atLeast(edit, text + lineEditRoom(edit, edit.sizeHint().width()));
}

// The drop-down's arrow and frame come beside its line edit.
void FixedLengthFields::fitComboBox(QComboBox& combo, model::ControlName name) const {
    const int text = lengthWidth(combo, name, m_settings.maxLength(name));
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = true;
    option.frame = combo.hasFrame();
    option.rect = QRect(QPoint(), combo.sizeHint());
    const QRect field =
        combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    const int room = option.rect.width() - field.width() + lineEditRoom(*combo.lineEdit(), field.width());
    combo.setFixedWidth(text + room);
}

// The text column, the last, takes what a cell and its editor need; the grid takes its columns
// and a pixel to spare, so that selecting a cell never scrolls the view.
void FixedLengthFields::fitGrid(QTableWidget& grid, model::ControlName name) const {
    const int last = grid.columnCount() - 1;
    const int cellMargin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    const int text = lengthWidth(grid, name, m_settings.maxLength(name));
    const int gridLine = grid.showGrid() ? 1 : 0;
    const int needed = text + std::max(2 * cellMargin, 2 * kLineEditMargin_px + kCaret_px) + gridLine;
    int width = needed + 2 * grid.frameWidth() + 1;
    for (int column = 0; column < last; ++column) {
        width += grid.columnWidth(column);
    }
    grid.setColumnWidth(last, needed);
    grid.setFixedWidth(width);
}

} // namespace korvel::app
