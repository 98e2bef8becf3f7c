#include "StatusTarget.h"

#include <QStatusBar>
#include <QVariant>

namespace orvel {

QString StatusTarget::nameOf(const QObject *object)
{
    if (!object)
        return {};
    const QVariant index = object->property("index");
    if (index.isValid() && index.toInt() != -1)
        return QStringLiteral("%1(%2)").arg(object->objectName()).arg(index.toInt());
    return object->objectName();
}

QObject *StatusTarget::find(const QList<QObject *> &candidates, const QString &name,
                            const QObject *self)
{
    if (name.isEmpty())
        return nullptr;
    for (QObject *object : candidates) {
        if (object && object != self && nameOf(object) == name)
            return object;
    }
    return nullptr;
}

std::optional<QString> StatusTarget::read(const QObject *object, const QString &property)
{
    if (!object)
        return std::nullopt;
    if (const auto *bar = qobject_cast<const QStatusBar *>(object))
        return bar->currentMessage();
    const QVariant value = object->property(property.toUtf8().constData());
    if (value.typeId() != QMetaType::QString)
        return QString(); // not a string: the saved text is empty
    return value.toString();
}

bool StatusTarget::write(QObject *object, const QString &property, const QString &text)
{
    if (!object)
        return false;
    if (auto *bar = qobject_cast<QStatusBar *>(object)) {
        bar->showMessage(text);
        return true;
    }
    if (property.isEmpty())
        return false;
    return object->setProperty(property.toUtf8().constData(), text);
}

} // namespace orvel
