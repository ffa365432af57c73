#pragma once

#include <QString>

#include <utility>
#include <variant>

// What went wrong in an operation of the core: a number (the system's errno
// for file operations, 0 when the core itself refused), a description in
// Italian that a screen can show to the operator as it stands, and the
// component that raised it when that matters to the caller.
struct Error {
    int code = 0;
    QString message;
    QString source;
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
