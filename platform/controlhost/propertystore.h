#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <initializer_list>
#include <utility>

// The settings a window keeps for one of its controls, under fixed keys. Each
// key is read and written with a default: a value equal to its default is not
// stored, and reading a missing key yields the default. So the store holds
// only what differs from a newly placed control.
class PropertyStore
{
public:
    PropertyStore() = default;
    PropertyStore(std::initializer_list<std::pair<QString, QVariant>> values);

    QVariant read(const QString &key, const QVariant &defaultValue) const;
    template <typename T>
    T read(const QString &key, const T &defaultValue) const
    {
        return read(key, QVariant::fromValue(defaultValue)).template value<T>();
    }

    void write(const QString &key, const QVariant &value, const QVariant &defaultValue);
    template <typename T>
    void write(const QString &key, const T &value, const T &defaultValue)
    {
        write(key, QVariant::fromValue(value), QVariant::fromValue(defaultValue));
    }

    bool contains(const QString &key) const { return m_values.contains(key); }
    QStringList keys() const { return m_values.keys(); }
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    QVariantMap m_values;
};
