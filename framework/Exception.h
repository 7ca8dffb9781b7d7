#pragma once
// The framework's error classes. Every error carries a UTF-16 message; the application's
// error display shows it (with the innermost message of a wrapped error).
#include <exception>
#include <memory>
#include <string>

namespace plaxor {

class Exception : public std::exception {
public:
    explicit Exception(std::wstring message) : message_(std::move(message)) {}
    // Wraps another error; the error display prefers the innermost non-empty message.
    Exception(std::wstring message, std::shared_ptr<const Exception> inner)
        : message_(std::move(message)), inner_(std::move(inner)) {}

    const std::wstring& Message() const noexcept { return message_; }
    const Exception* Inner() const noexcept { return inner_.get(); }
    // What names the cause: the innermost error's message when it is not empty, else this one.
    const std::wstring& InnermostMessage() const noexcept;
    virtual std::wstring ClassName() const { return L"Exception"; }
    const char* what() const noexcept override { return "plaxor::Exception"; }

private:
    std::wstring message_;
    std::shared_ptr<const Exception> inner_;
};

#define PLAXOR_EXCEPTION(Name)                                                                     \
    class Name : public Exception {                                                                \
    public:                                                                                        \
        using Exception::Exception;                                                                \
        std::wstring ClassName() const override { return L## #Name; }                              \
    }

// The silent error: leaves a handler without any message.
PLAXOR_EXCEPTION(EAbort);
// "Cannot assign a %s to a %s"
PLAXOR_EXCEPTION(EConvertError);
PLAXOR_EXCEPTION(EOutOfMemory);
// A layout, picture or stream that cannot be read.
PLAXOR_EXCEPTION(EReadError);
// A layout that cannot be written in a form that reads back the same.
PLAXOR_EXCEPTION(EWriteError);
// "List index out of bounds (%s)"
PLAXOR_EXCEPTION(EStringListError);
PLAXOR_EXCEPTION(EInvalidGraphic);
PLAXOR_EXCEPTION(EStreamError);
PLAXOR_EXCEPTION(EOSError);
// A menu item index out of bounds, or an item put where it cannot go.
PLAXOR_EXCEPTION(EMenuError);
// An operation that the object's state does not allow (drawing on a canvas without a DC).
PLAXOR_EXCEPTION(EInvalidOperation);

// printf-style formatting of a message with %s arguments only.
std::wstring FormatMessageText(const std::wstring& format,
                               std::initializer_list<std::wstring> args);

} // namespace plaxor
