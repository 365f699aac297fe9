#include "platform/controlhost/propertystore.h"

PropertyStore::PropertyStore(std::initializer_list<std::pair<QString, QVariant>> values)
{
    for (const auto &[key, value] : values)
        m_values.insert(key, value);
}

QVariant PropertyStore::read(const QString &key, const QVariant &defaultValue) const
{
    const auto found = m_values.constFind(key);
    if (found == m_values.constEnd())
        return defaultValue;
    // A value kept as another type (an integer for a Boolean, say) is read as
    // the default's type when it converts.
    QVariant value = *found;
    if (defaultValue.isValid() && value.metaType() != defaultValue.metaType()
        && value.canConvert(defaultValue.metaType()))
        value.convert(defaultValue.metaType());
    return value;
}

void PropertyStore::write(const QString &key, const QVariant &value, const QVariant &defaultValue)
{
    if (value == defaultValue)
        m_values.remove(key);
    else
        m_values.insert(key, value);
}
