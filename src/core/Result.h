#pragma once

#include <QString>

#include <utility>
#include <variant>

// Where a failure comes from. Codes are compared only within one origin:
// 17 is EEXIST for the system and "sheet name already used" for a workbook.
enum class ErrorOrigin {
    System,      // a system call failed; the code is its errno
    Workbook,    // the workbook writer failed; the code is its own error number
    Conversion,  // a value could not be converted; the code is the number shown
    Refusal,     // the program itself refused; there is no code
};

// What went wrong in an operation: its origin and code, a description in
// Italian that a screen can show to the operator as it stands, and the
// component that raised it when that matters to the caller.
struct Error {
    ErrorOrigin origin = ErrorOrigin::Refusal;
    int code = 0;
    QString message;
    QString source;

    static Error system(int errnum, QString message) {
        return {ErrorOrigin::System, errnum, std::move(message), {}};
    }
    static Error workbook(int code, QString message) {
        return {ErrorOrigin::Workbook, code, std::move(message), {}};
    }
    static Error conversion(int number, QString message, QString source = {}) {
        return {ErrorOrigin::Conversion, number, std::move(message), std::move(source)};
    }
    static Error refusal(QString message) {
        return {ErrorOrigin::Refusal, 0, std::move(message), {}};
    }

    bool is(ErrorOrigin where, int what) const { return origin == where && code == what; }
    bool refused() const { return origin == ErrorOrigin::Refusal; }
};

// The outcome of an operation that yields a T or fails with an Error.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

    const Error& error() const { return std::get<Error>(state_); }

private:
    std::variant<T, Error> state_;
};

// The outcome of an operation that yields nothing but may fail.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_; }

private:
    Error error_;
    bool failed_ = false;
};
