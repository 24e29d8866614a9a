#pragma once

#include <QString>
#include <exception>

namespace assi {

// Why a settings text did not convert. The conversions know only the text;
// SettingsLookup completes the message with the file, the section and the key.
class ConversionError : public std::exception {
public:
    enum class Kind { NotANumber, OutOfRange, Malformed };

    // `range` says in words which values are allowed ("de -32768 a 32767");
    // for Malformed, what the text should have been ("uma hora HH:MM").
    explicit ConversionError(Kind kind, QString range = {});

    Kind kind() const { return m_kind; }

    // What is wrong with `text`, e.g. «"abc" não é um número».
    QString describe(const QString& text) const;

    const char* what() const noexcept override;

private:
    Kind m_kind;
    QString m_range;
};

} // namespace assi
