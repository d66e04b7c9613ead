#pragma once
// Exceptions that carry a message text, as every failure of the system reports itself.
// Platform-neutral: the text is UTF-16 in std::u16string.

#include <exception>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
    explicit Exception(std::u16string message);
    const std::u16string& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    std::u16string m_message;
    std::string m_utf8;
};

// A file could not be created.
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

// Fewer bytes reached a file or stream than were asked for.
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

// A value could not be converted or assigned (bad text for a number, incompatible Assign).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Reading past the end of a stream, or a stream that cannot supply what was asked.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// An image whose bytes cannot be read as a picture of its kind.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// An operation that is not possible in the object's present state.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A named resource the program asked for is not there.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};
