#pragma once

#include <exception>
#include <utility>

namespace varlo
{

// Whatever shows errors to the user. The application object implements it; a
// test application can implement it to record errors instead.
class ErrorSink
{
public:
    virtual ~ErrorSink() = default;
    virtual void reportError(std::exception_ptr error) = 0;
};

// Hands an error to the running application's ErrorSink (the QApplication
// instance, when it implements one). Without a sink the error is written to
// standard error, so nothing is lost silently.
void ReportError(std::exception_ptr error);

// Runs `action` where Qt calls into our code, so that no exception crosses Qt's
// event or signal machinery: anything thrown goes to ReportError.
template <typename Action> void CallReportingErrors(Action &&action) noexcept
{
    try {
        std::forward<Action>(action)();
    } catch (...) {
        ReportError(std::current_exception());
    }
}

} // namespace varlo
