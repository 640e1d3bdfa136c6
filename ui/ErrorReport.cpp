#include "ui/ErrorReport.h"

#include <QCoreApplication>

#include <cstdio>

namespace varlo
{

void ReportError(std::exception_ptr error)
{
    if (auto *sink = dynamic_cast<ErrorSink *>(QCoreApplication::instance())) {
        sink->reportError(std::move(error));
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "varlo: unreported error: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "varlo: unreported error of unknown kind\n");
    }
}

} // namespace varlo
