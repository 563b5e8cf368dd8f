#pragma once

#include <QString>
#include <exception>

// A numbered error (number, description, source) raised at call time where a call is refused.
// It never crosses Qt's event dispatch: a slot that calls something that may throw catches it.
class NumberedError : public std::exception
{
public:
    NumberedError(int number, QString description, QString source);

    int Number() const { return m_number; }
    const QString &Description() const { return m_description; }
    const QString &Source() const { return m_source; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};
