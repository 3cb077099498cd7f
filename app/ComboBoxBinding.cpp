#include "app/ComboBoxBinding.h"

#include "app/LineEditBinding.h"

#include <QLineEdit>

namespace korvel::app {

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
    m_combo->clear();
    m_combo->addItems(itemList());
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
