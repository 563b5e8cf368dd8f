#pragma once

#include <QString>

// The client's record of its last failure: a number, a fixed English text and where it arose.
// The client keeps one for its whole life and rewrites its fields.
class CFtpError
{
public:
    int Number() const { return m_number; }
    void SetNumber(int number) { m_number = number; }
    const QString &Description() const { return m_description; }
    void SetDescription(const QString &description) { m_description = description; }
    const QString &Source() const { return m_source; }
    void SetSource(const QString &source) { m_source = source; }

    void Set(int number, const QString &description, const QString &source)
    {
        m_number = number;
        m_description = description;
        m_source = source;
    }
    void Clear() { Set(0, QString(), QString()); }

private:
    int m_number = 0;
    QString m_description;
    QString m_source;
};
