#include "accessibility.h"

#include "app/fretboard.h"

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

// A fretboard point, named by what it stands for.
class Point : public QAccessibleWidget {
public:
    explicit Point(PointMarker *marker) : QAccessibleWidget(marker, QAccessible::Graphic) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<PointMarker *>(widget())->spokenName();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QWidget")) {
        if (auto *marker = dynamic_cast<PointMarker *>(object))
            return new Point(marker);
        return nullptr;
    }
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
        QAccessible::installFactory(factory);
    }
}

} // namespace ui
