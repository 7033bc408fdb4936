// Exceptions of the component layer. Messages are fixed English texts that
// reach the user through the application's error report.
#pragma once
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Text that should have been a number.
class EConvertError : public Exception { using Exception::Exception; };
// A registry value of the wrong type, or a key that cannot be opened for writing.
class ERegistryException : public Exception { using Exception::Exception; };
// A file that cannot be created or opened.
class EFCreateError : public Exception { using Exception::Exception; };
class EFOpenError : public Exception { using Exception::Exception; };
// An index outside a list.
class EListError : public Exception { using Exception::Exception; };
// A settings file that cannot be written.
class EIniFileException : public Exception { using Exception::Exception; };
