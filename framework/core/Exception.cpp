#include "framework/core/Exception.h"

#include "framework/core/Strings.h"

Exception::Exception(std::u16string message) : m_message(std::move(message)), m_utf8(ToUtf8(m_message)) {}
