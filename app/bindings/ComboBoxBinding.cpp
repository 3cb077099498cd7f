#include "app/bindings/ComboBoxBinding.h"

#include "app/bindings/LineEditBinding.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

namespace korvel::app {

namespace {

// Lists longer than this are sized from their longest item alone: measuring each of the 256
// port names for the combo's size took a seventh of the window's start-up.
constexpr qsizetype kMeasuredItems = 64;
// Beside the icon room, as the combo adds it.
constexpr int kIconGap_px = 4;

// The longest item, measured, in widths of an "X", less the room the combo keeps for an icon,
// as the combo sizes itself by when it is not to measure each item.
int contentsLength(const QComboBox& combo, const QStringList& items) {
    const auto longest = std::max_element(
        items.cbegin(), items.cend(), [](const QString& a, const QString& b) { return a.size() < b.size(); });
    const QFontMetrics metrics(combo.font());
    const int unit = std::max(1, metrics.horizontalAdvance(QLatin1Char('X')));
    const int text =
        std::max(0, metrics.horizontalAdvance(*longest) - combo.iconSize().width() - kIconGap_px);
    return std::max(1, (text + unit - 1) / unit);
}

} // namespace

ComboBoxBinding::ComboBoxBinding(BindingContext context, QComboBox* combo)
    : WidgetBinding(context, combo)
    , m_combo(combo) {
    if (holdsText()) {
        // Best made editable in its form already: a line edit made only now comes last in the
        // window's focus chain, where Shift+Tab from the page tabs would find it first.
        m_combo->setEditable(true);
        m_combo->setInsertPolicy(QComboBox::NoInsert);
        LineEditBinding::limitEditor(m_combo->lineEdit(), context, name());
        QObject::connect(combo, &QComboBox::editTextChanged, receiver(),
                         [this](const QString& typed) { storeText(typed); });
        QObject::connect(m_combo->lineEdit(), &QLineEdit::editingFinished, receiver(),
                         [this] { finishEditing(); });
    } else {
        QObject::connect(combo, &QComboBox::currentIndexChanged, receiver(),
                         [this](int index) { edit([this, index] { settings().setChoice(name(), index); }); });
    }
}

bool ComboBoxBinding::holdsText() {
    return name().kind() == model::Kind::Text;
}

void ComboBoxBinding::showItems() {
    const QStringList items = itemList();
    if (items.size() > kMeasuredItems) {
        // No icon room: the items have none, and it would make the combo taller than its text.
        m_combo->setIconSize(QSize(0, 0));
        m_combo->setMinimumContentsLength(contentsLength(*m_combo, items));
        m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    m_combo->clear();
    m_combo->addItems(items);
}

void ComboBoxBinding::showValue() {
    if (holdsText()) {
        const QString shown = text().toQString(settings().text(name()));
        if (m_combo->currentText() != shown) {
            m_combo->setEditText(shown);
        }
    } else {
        m_combo->setCurrentIndex(settings().choice(name()));
    }
}

} // namespace korvel::app
