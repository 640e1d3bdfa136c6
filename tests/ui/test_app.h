#pragma once

// A QApplication for widget tests that records the errors the program reports
// instead of showing them, so that a test can check what reached the user.

#include "ui/ErrorReport.h"

#include <QApplication>
#include <QStringList>
#include <QTest>

#include <exception>
#include <vector>

namespace varlo::testing
{

class TestApp : public QApplication, public ErrorSink
{
public:
    TestApp(int &argc, char **argv) : QApplication(argc, argv) {}

    static TestApp *instance() { return static_cast<TestApp *>(QCoreApplication::instance()); }

    void reportError(std::exception_ptr error) override { m_errors.push_back(std::move(error)); }

    const std::vector<std::exception_ptr> &errors() const { return m_errors; }

    // The messages of the reported errors, in the order they were reported.
    QStringList errorMessages() const
    {
        QStringList messages;
        for (const std::exception_ptr &error : m_errors) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception &e) {
                messages << QString::fromUtf8(e.what());
            } catch (...) {
                messages << QStringLiteral("(unknown error)");
            }
        }
        return messages;
    }

    void clearErrors() { m_errors.clear(); }

private:
    std::vector<std::exception_ptr> m_errors;
};

} // namespace varlo::testing

// QTEST_MAIN with the recording application in place of QApplication.
#define VARLO_TEST_APP_MAIN(TestObject)                                                            \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        varlo::testing::TestApp app(argc, argv);                                                   \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
