// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace urdiva {

// A failure that ends an action; it carries the text the error box shows and, for the command
// line, where it arose: a file, or a file and a line ("dados.csv, linha 253").
class RunError : public std::exception {
public:
    explicit RunError(QString message, QString context = QString());

    const QString& message() const noexcept { return m_message; }
    const QString& context() const noexcept { return m_context; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QString m_context;
    QByteArray m_utf8;
};

// The text as the error box shows it: a full stop is appended when the last character sorts
// after "." by code, so "File not found" gains one and "(2)" or "!" do not.
QString errorBoxText(const QString& message);

// Inside a catch block: the error-box text of the failure being handled, whatever it is (a
// RunError's text, "Out of memory." or any other exception's own words).
QString caughtFailureText();
// Inside a catch block: where the failure being handled arose, or nothing.
QString caughtFailureContext();

// The context of a failure in a record: the file's name and the line's number.
QString recordContext(const QString& file, qint64 line);

} // namespace urdiva
