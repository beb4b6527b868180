#pragma once
// Results of preset operations that can fail for reasons outside the program (files, user
// input): either a value or a message for the user. Only reading the value of a failure
// throws: that is a fault in the caller, stopped before it can use a value that is not there.
#include <optional>
#include <string>
#include <utility>

namespace sonavel {

// Success, or the reason for a failure.
class Status {
public:
    static Status Success() { return Status(); }
    static Status Failure(std::string message) { return Status(std::move(message)); }

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

private:
    Status() = default;
    explicit Status(std::string message) : error_(std::move(message)) {}
    std::string error_;  // empty on success
};

// A value, or the reason why there is none.
template <class T>
class Outcome {
public:
    Outcome(T value) : value_(std::move(value)) {}
    Outcome(const Status& failure) : error_(failure.error()) {}  // from a failed Status only

    bool ok() const { return value_.has_value(); }
    const T& value() const { return value_.value(); }
    T& value() { return value_.value(); }
    const std::string& error() const { return error_; }
    Status status() const { return ok() ? Status::Success() : Status::Failure(error_); }

private:
    std::optional<T> value_;
    std::string error_;
};

}  // namespace sonavel
