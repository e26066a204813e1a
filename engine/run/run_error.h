#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace urdiva {

// A failure that ends an action; it carries the text the error box shows.
class RunError : public std::exception {
public:
    explicit RunError(QString message);

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// The text as the error box shows it: a full stop is appended when the last character sorts
// after "." by code, so "File not found" gains one and "(2)" or "!" do not.
QString errorBoxText(const QString& message);

// Inside a catch block: the error-box text of the failure being handled, whatever it is (a
// RunError's text, "Out of memory." or any other exception's own words).
QString caughtFailureText();

} // namespace urdiva
