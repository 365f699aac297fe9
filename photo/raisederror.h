#pragma once

#include <QString>

#include <stdexcept>

// An error raised to the caller with a number, the module it came from and a
// description, the way the photo export reports its failures.
class RaisedError : public std::runtime_error
{
public:
    RaisedError(int number, const QString &source, const QString &description)
        : std::runtime_error(description.toStdString())
        , m_number(number)
        , m_source(source)
        , m_description(description)
    {}

    int number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }

private:
    int m_number;
    QString m_source;
    QString m_description;
};
