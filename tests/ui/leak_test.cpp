// Opening and closing a calculator from the main window, a thousand times over,
// leaves nothing behind: each window is destroyed when its modal display ends,
// and the main window keeps no trace of it. (Heap leaks below the widgets are
// LeakSanitizer's part, in the sanitizer build.)
//
// VARLO_LEAK_OPENINGS sets the number of openings per window (default 1000).

#include "ui/Main.h"

#include "calc/field_values.h"
#include "tests/ui/calculator_window_driver.h"
#include "tests/ui/test_app.h"

#include <QAbstractButton>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace varlo::testing;
using varlo::TMainForm;

namespace
{

int Openings()
{
    bool ok = false;
    const int openings = qEnvironmentVariableIntValue("VARLO_LEAK_OPENINGS", &ok);
    return ok && openings > 0 ? openings : 1000;
}

// The widgets, windows and objects that exist, as far as the test can count them.
struct Census {
    qsizetype widgets = 0;
    qsizetype windows = 0;
    qsizetype topLevelWidgets = 0;
    qsizetype mainChildren = 0;
    qsizetype mainDescendants = 0;

    friend bool operator==(const Census &, const Census &) = default;

    QString toString() const
    {
        return QStringLiteral("%1 widgets, %2 windows, %3 top-level widgets, main window: %4 "
                              "children, %5 descendants")
            .arg(widgets)
            .arg(windows)
            .arg(topLevelWidgets)
            .arg(mainChildren)
            .arg(mainDescendants);
    }
};

Census Count(const QWidget &mainForm)
{
    // Whatever was handed to deleteLater is gone before counting.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return Census{QApplication::allWidgets().size(), QGuiApplication::allWindows().size(),
                  QApplication::topLevelWidgets().size(), mainForm.children().size(),
                  mainForm.findChildren<QObject *>().size()};
}

// One use of an open calculator: type its worked example, press "=", copy the
// result.
using Use = std::function<QString(QDialog &)>;

QString UseExample(QDialog &window, const CalculatorInputs &inputs)
{
    TypeInputs(window, inputs.fields, inputs.example);
    ClickEquals(window);
    return Text(window, "densEdit");
}

// What one opening looked like from inside its modal display.
struct Visit {
    QPointer<QDialog> window;
    QString result;
};

// Arms a timer that, once the modal display has started, uses the calculator
// and closes it as its close box would; then opens it with `opener`.
Visit OpenUseAndClose(QAbstractButton *opener, const Use &use)
{
    Visit visit;
    QTimer::singleShot(0, [&visit, &use] {
        auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (window == nullptr)
            return;
        visit.window = window;
        if (QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
            visit.result = use(*window);
        window->close();
    });
    opener->click();
    return visit;
}

} // namespace

Q_DECLARE_METATYPE(Use)

class LeakTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void openingAndClosingLeavesNothingBehind_data();
    void openingAndClosingLeavesNothingBehind();
};

void LeakTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    varlo::SetCurrentSeparators(varlo::Separators{u'.', u','});
}

void LeakTest::openingAndClosingLeavesNothingBehind_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Use>("use");
    QTest::addColumn<QString>("result");
    QTest::newRow("cylindrical") << QStringLiteral("cilButton")
                                 << Use([](QDialog &w) { return UseExample(w, CilindricInputs); })
                                 << CilindricInputs.exampleResult;
    QTest::newRow("conical") << QStringLiteral("conButton")
                             << Use([](QDialog &w) { return UseExample(w, ConicInputs); })
                             << ConicInputs.exampleResult;
}

void LeakTest::openingAndClosingLeavesNothingBehind()
{
    QFETCH(QString, button);
    QFETCH(Use, use);
    QFETCH(QString, result);
    TestApp::instance()->clearErrors();

    TMainForm mainForm;
    mainForm.show();
    mainForm.activateWindow();
    QVERIFY(QTest::qWaitFor([&mainForm] { return QApplication::activeWindow() == &mainForm; }));
    auto *opener = mainForm.findChild<QAbstractButton *>(button);
    QVERIFY(opener);

    // The first opening may fill caches that live as long as the program.
    const Visit first = OpenUseAndClose(opener, use);
    QCOMPARE(first.result, result);
    const Census before = Count(mainForm);

    const int openings = Openings();
    for (int opening = 0; opening < openings; ++opening) {
        const Visit visit = OpenUseAndClose(opener, use);
        QVERIFY2(
            visit.result == result,
            qPrintable(QStringLiteral("opening %1 showed '%2'").arg(opening).arg(visit.result)));
        QVERIFY2(visit.window.isNull(),
                 qPrintable(QStringLiteral("opening %1 left its window alive").arg(opening)));
    }
    const Census after = Count(mainForm);
    QVERIFY2(after == before, qPrintable(QStringLiteral("before: %1\nafter %2 openings: %3")
                                             .arg(before.toString())
                                             .arg(openings)
                                             .arg(after.toString())));
    QVERIFY(TestApp::instance()->errorMessages().isEmpty());
}

VARLO_TEST_APP_MAIN(LeakTest)
#include "leak_test.moc"
