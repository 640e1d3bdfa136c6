#pragma once

#include <stdexcept>
#include <string>

namespace varlo
{

// Base of every error the program reports to the user. The message is the exact
// text the error box shows (before the box adds its closing period).
class Error : public std::runtime_error
{
public:
    explicit Error(const std::string &message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

// Arithmetic errors: the conditions the floating-point environment traps.
class EMathError : public Error
{
public:
    using Error::Error;
};

class EOverflow : public EMathError
{
public:
    EOverflow() : EMathError("Floating point overflow") {}
};

class EZeroDivide : public EMathError
{
public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EInvalidOp : public EMathError
{
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

// A text that had to be a number and was not. `rejectedText` is UTF-8.
class EConvertError : public Error
{
public:
    explicit EConvertError(const std::string &rejectedText);
};

} // namespace varlo
