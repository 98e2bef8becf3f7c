#include "PropertyBag.h"

#include "Variants.h"

#include <QFile>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace comctl {

namespace {

constexpr qint64 maximumFileSize = 16 * 1024 * 1024;

QJsonObject tagged(const QString &type, const QJsonValue &value)
{
    return QJsonObject { { QStringLiteral("type"), type }, { QStringLiteral("value"), value } };
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isValid() != b.isValid())
        return false;
    return a.metaType() == b.metaType() && a == b;
}

} // namespace

QVariant PropertyBag::read(const QString &name, const QVariant &defaultValue) const
{
    const auto it = m_values.constFind(name);
    return it == m_values.constEnd() ? defaultValue : it.value();
}

void PropertyBag::write(const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    if (sameValue(value, defaultValue))
        m_values.remove(name);
    else
        m_values.insert(name, value);
}

void PropertyBag::writeAlways(const QString &name, const QVariant &value)
{
    m_values.insert(name, value);
}

QJsonValue PropertyBag::encodeValue(const QVariant &value)
{
    if (Variants::isEmpty(value))
        return tagged(QStringLiteral("empty"), QJsonValue());
    if (Variants::isNull(value))
        return tagged(QStringLiteral("null"), QJsonValue());
    switch (value.typeId()) {
    case QMetaType::Bool:
        return tagged(QStringLiteral("bool"), value.toBool());
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::UChar:
    case QMetaType::SChar:
    case QMetaType::Char:
        return tagged(QStringLiteral("int"), value.toLongLong());
    case QMetaType::Float:
        return tagged(QStringLiteral("single"), value.toDouble());
    case QMetaType::Double:
        return tagged(QStringLiteral("double"), value.toDouble());
    case QMetaType::QFont:
        return tagged(QStringLiteral("font"), value.value<QFont>().toString());
    case QMetaType::QByteArray:
        return tagged(QStringLiteral("bytes"), QString::fromLatin1(value.toByteArray().toBase64()));
    default:
        return tagged(QStringLiteral("string"), value.toString());
    }
}

bool PropertyBag::decodeValue(const QJsonValue &json, QVariant *value)
{
    if (!json.isObject())
        return false;
    const QJsonObject object = json.toObject();
    const QString type = object.value(QStringLiteral("type")).toString();
    const QJsonValue raw = object.value(QStringLiteral("value"));
    if (type == QLatin1String("empty")) {
        *value = QVariant();
    } else if (type == QLatin1String("null")) {
        *value = Variants::null();
    } else if (type == QLatin1String("bool") && raw.isBool()) {
        *value = raw.toBool();
    } else if (type == QLatin1String("int") && raw.isDouble()) {
        const double number = raw.toDouble();
        if (number >= -2147483648.0 && number <= 2147483647.0)
            *value = int(number);
        else
            *value = qint64(number);
    } else if (type == QLatin1String("single") && raw.isDouble()) {
        *value = float(raw.toDouble());
    } else if (type == QLatin1String("double") && raw.isDouble()) {
        *value = raw.toDouble();
    } else if (type == QLatin1String("string") && raw.isString()) {
        *value = raw.toString();
    } else if (type == QLatin1String("font") && raw.isString()) {
        QFont font;
        if (!font.fromString(raw.toString()))
            return false;
        *value = font;
    } else if (type == QLatin1String("bytes") && raw.isString()) {
        *value = QByteArray::fromBase64(raw.toString().toLatin1());
    } else {
        return false;
    }
    return true;
}

QJsonObject PropertyBag::toJson() const
{
    QJsonObject object;
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it)
        object.insert(it.key(), encodeValue(it.value()));
    return object;
}

bool PropertyBag::fromJson(const QJsonObject &object)
{
    m_values.clear();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        QVariant value;
        if (decodeValue(it.value(), &value))
            m_values.insert(it.key(), value);
    }
    return true;
}

bool PropertyBag::saveFile(const QString &path, QString *error) const
{
    QSaveFile file(path);
    const QJsonObject root { { QStringLiteral("properties"), toJson() } };
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(root).toJson()) < 0
        || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool PropertyBag::loadFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.size() > maximumFileSize) {
        if (error)
            *error = QStringLiteral("file too large");
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    const QJsonValue properties = document.object().value(QStringLiteral("properties"));
    if (parseError.error != QJsonParseError::NoError || !properties.isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                  : QStringLiteral("no properties");
        return false;
    }
    return fromJson(properties.toObject());
}

} // namespace comctl
