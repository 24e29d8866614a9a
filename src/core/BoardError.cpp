#include "core/BoardError.h"

namespace assi {

BoardError::BoardError(QString message)
    : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

} // namespace assi
