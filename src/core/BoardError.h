#pragma once

#include <QString>
#include <exception>

namespace assi {

/// The one error type the board's layers throw. The message is complete and
/// in Portuguese: it names what failed (file, section, key and value, or
/// server and database) so that the window can show it as it stands. It
/// never carries a password.
class BoardError : public std::exception {
public:
    explicit BoardError(QString message);

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace assi
