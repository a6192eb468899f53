#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace korven::host {

// The outcome of an operation that can fail on bad input: either a value or a message meant
// for a person (it names what was wrong and where). Reading value() of a failure throws
// std::bad_optional_access rather than handing back garbage.
template <typename T>
class [[nodiscard]] Result {
public:
    static Result Success(T value) {
        Result r;
        r.value_.emplace(std::move(value));
        return r;
    }
    static Result Failure(QString message) {
        Result r;
        r.error_ = std::move(message);
        return r;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return value_.value(); }
    T& value() & { return value_.value(); }
    T&& value() && { return std::move(value_.value()); }

    // Empty when ok().
    const QString& error() const { return error_; }

private:
    Result() = default;
    std::optional<T> value_;
    QString error_;
};

// A result with no value: success, or a message.
class [[nodiscard]] Status {
public:
    static Status Success() { return Status(); }
    static Status Failure(QString message) {
        Status s;
        s.error_ = message.isEmpty() ? QStringLiteral("unknown error") : std::move(message);
        return s;
    }
    bool ok() const { return error_.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return error_; }

private:
    QString error_;
};

} // namespace korven::host
