#include "accessibility.h"

#include <QAccessibleWidget>
#include <QComboBox>

namespace ui {

namespace {

// A pick-only list named by its accessible name; its entry is the value.
class NamedList : public QAccessibleWidget {
public:
    explicit NamedList(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        auto *list = static_cast<QComboBox *>(widget());
        switch (t) {
        case QAccessible::Name:
            return list->accessibleName();
        case QAccessible::Value:
            return list->currentText();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface *namedListFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QComboBox"))
        return nullptr;
    auto *list = qobject_cast<QComboBox *>(object);
    if (!list || list->isEditable() || list->accessibleName().isEmpty())
        return nullptr;
    return new NamedList(list);
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(namedListFactory);
    }
}

} // namespace ui
