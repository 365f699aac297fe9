#pragma once

#include <QString>

#include <stdexcept>

// An error raised to the caller with a number, the module it came from and a
// description, the way the photo export reports its failures.
class RaisedError : public std::runtime_error
{
public:
    // reason: why, in Russian, for the user; empty when there is nothing to add.
    RaisedError(int number, const QString &source, const QString &description, const QString &reason = QString())
        : std::runtime_error(description.toStdString())
        , m_number(number)
        , m_source(source)
        , m_description(description)
        , m_reason(reason)
    {}

    int number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }
    const QString &reason() const { return m_reason; }

private:
    int m_number;
    QString m_source;
    QString m_description;
    QString m_reason;
};
