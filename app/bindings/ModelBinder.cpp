#include "app/bindings/ModelBinder.h"

#include "app/bindings/CheckListBinding.h"
#include "app/bindings/ComboBoxBinding.h"
#include "app/bindings/CommandBinding.h"
#include "app/bindings/DecimalBinding.h"
#include "app/bindings/DoubleClickFilter.h"
#include "app/bindings/FlagBinding.h"
#include "app/bindings/GridBinding.h"
#include "app/bindings/IntegerBinding.h"
#include "app/bindings/KeyFilter.h"
#include "app/bindings/LabelBinding.h"
#include "app/bindings/LineEditBinding.h"
#include "app/bindings/PageBinding.h"
#include "app/bindings/RadioGroupBinding.h"

#include <QApplication>
#include <algorithm>
#include <stdexcept>

namespace korvel::app {

namespace {

// One way of showing a control: the binding class and the widget type it takes.
template <typename Binding, typename Widget> struct As {
    static std::unique_ptr<WidgetBinding> make(const BindingContext& context, QWidget* widget) {
        auto* typed = qobject_cast<Widget*>(widget);
        return typed ? std::make_unique<Binding>(context, typed) : nullptr;
    }
};

// The first of the ways that fits the widget; none when no way fits.
template <typename... Ways>
std::unique_ptr<WidgetBinding> firstFitting(const BindingContext& context, QWidget* widget) {
    std::unique_ptr<WidgetBinding> binding;
    ((binding = binding ? std::move(binding) : Ways::make(context, widget)), ...);
    return binding;
}

} // namespace

ModelBinder::ModelBinder(BindingContext context)
    : m_context(context) {}

void ModelBinder::bindTree(QWidget* root) {
    followFocus();
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        const std::optional<model::ControlName> name =
            model::ControlName::find(widget->objectName().toStdString());
        if (!name || isBound(*name)) {
            continue;
        }
        std::unique_ptr<WidgetBinding> binding = makeBinding(widget, name->kind());
        if (!binding) {
            throw std::logic_error("widget '" + std::string(name->str()) + "' cannot show its control");
        }
        binding->start();
        m_bindings.push_back({std::move(binding), widget});
        widget->installEventFilter(new DoubleClickFilter(m_context.events, *name, widget));
        if (m_context.events.filtersKeys(*name)) {
            filterKeys(widget, *name);
        }
    }
}

void ModelBinder::followFocus() {
    if (m_focusContext) {
        return;
    }
    // The connection ends with the binder, not with the window, whose children may still move
    // the focus while they are destroyed.
    m_focusContext = std::make_unique<QObject>();
    QObject::connect(qApp, &QApplication::focusChanged, m_focusContext.get(),
                     [this](QWidget* old, QWidget* now) {
                         for (const Bound& bound : m_bindings) {
                             const QWidget* control = bound.widget;
                             if (control == nullptr) {
                                 continue;
                             }
                             const auto within = [control](const QWidget* w) {
                                 return w != nullptr && (w == control || control->isAncestorOf(w));
                             };
                             if (within(old) && !within(now)) {
                                 bound.binding->finishEditing();
                                 m_context.events.exit(bound.binding->name());
                             }
                         }
                     });
}

void ModelBinder::filterKeys(QWidget* widget, model::ControlName name) {
    auto* table = qobject_cast<QTableWidget*>(widget);
    if (table != nullptr && table->editTriggers() != QAbstractItemView::NoEditTriggers) {
        return; // a grid edited in place: its cell editors filter their keys themselves
    }
    // An editable combo box keeps the focus itself and hands the keys to its line edit
    // directly, past any filter there: its keys are filtered on the box.
    widget->installEventFilter(new KeyFilter(m_context.events, m_context.text, name, widget));
}

void ModelBinder::showAgain() {
    for (const Bound& bound : m_bindings) {
        bound.binding->showAll();
    }
}

bool ModelBinder::isBound(model::ControlName name) const {
    return std::any_of(m_bindings.begin(), m_bindings.end(),
                       [name](const Bound& bound) { return bound.binding->name() == name; });
}

std::unique_ptr<WidgetBinding> ModelBinder::makeBinding(QWidget* widget, model::Kind kind) const {
    using model::Kind;
    const BindingContext& c = m_context;
    switch (kind) {
    case Kind::Text:
        return firstFitting<As<LineEditBinding, QLineEdit>, As<ComboBoxBinding, QComboBox>,
                            As<LabelBinding, QLabel>>(c, widget);
    case Kind::Choice:
        return firstFitting<As<ComboBoxBinding, QComboBox>, As<PageBinding, QTabWidget>,
                            As<RadioGroupBinding, QGroupBox>>(c, widget);
    case Kind::Flag:
        return firstFitting<As<FlagBinding, QAbstractButton>>(c, widget);
    case Kind::CheckList:
        return firstFitting<As<CheckListBinding, QListWidget>>(c, widget);
    case Kind::Integer:
        return firstFitting<As<IntegerBinding, QSpinBox>>(c, widget);
    case Kind::Decimal:
        return firstFitting<As<DecimalBinding, QDoubleSpinBox>>(c, widget);
    case Kind::Grid:
        return firstFitting<As<GridBinding, QTableWidget>>(c, widget);
    case Kind::Command:
        return std::make_unique<CommandBinding>(c, widget);
    case Kind::Timer:
        break;
    }
    return nullptr;
}

} // namespace korvel::app
